// imprints.h -- the imprints a frame keeps (see pixel_imprint.h), so tests can tell whether each
// part was drawn, imprinted or laid down.
#pragma once

class PixelImprint;

const PixelImprint& backgroundImprint();  // the room, the lamp and the table (scene.cpp)
const PixelImprint& fittingsImprint();    // sand floor, glass, sand bed, plant, pebbles (scene.cpp)
const PixelImprint& wormsImprint();       // the worms (aquarium/worm_drawer.cpp)
