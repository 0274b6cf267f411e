// feeder.h -- the aquarium's reset and its feeding commands (menu and Insert key).
#pragma once

class Feeder {
public:
    Feeder();  // runs resetFeeder, so the tables hold their start contents before the first frame
    virtual ~Feeder();

    void resetFeeder();
    void addFish();
    void addFifteenWorms();
    void clearWorms();
    int addWorm();     // the slot filled, 0 to 63
    int chooseFish();  // the smallest present fish, lowest slot on ties; -1 when none is present
};

// The one feeder, built before main with the other process-wide objects (app/draw/globals.cpp).
extern Feeder bowlFeeder;
