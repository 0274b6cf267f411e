// logic_objects.cpp -- the feeder for the logic test binary. The program builds it in
// app/draw/globals.cpp together with the drawing's process-wide objects, which this binary, linking no
// GL, cannot hold; the commands under test reach only the feeder.
#include "aquarium/feeder.h"

Feeder bowlFeeder;
