// render_state.cpp -- the four lights, the per-frame render state and light switches, the lamp material.
#include "room/render_state.h"

const LightRecord ceilingLight = {{0.2f, 0.2f, 0.2f, 1}, {0.2f, 0.2f, 0.2f, 1}, {0.8f, 0.8f, 0.8f, 1}, {0, 3.9f, 0, 1}};
const LightRecord leftLamp = {{0, 0, 0.2f, 1}, {0, 0, 0.2f, 1}, {0, 0, 0.8f, 1}, {-1.8f, 0, -1.8f, 1}};
const LightRecord rightLamp = {{0.2f, 0, 0, 1}, {0.2f, 0, 0, 1}, {0.8f, 0, 0, 1}, {1.8f, 0, -1.8f, 1}};
const LightRecord frontLamp = {{0, 0.2f, 0, 1}, {0, 0.2f, 0, 1}, {0, 0.8f, 0, 1}, {0, 0, 2.55f, 1}};
const float dimAmbient[4] = {0.2f, 0.2f, 0.2f, 1};
const float brightAmbient[4] = {0.9f, 0.9f, 0.9f, 1};

void initLights() {}
void applyRenderState() {}
void applyLightSwitches() {}
void applyLampMaterial() {}
