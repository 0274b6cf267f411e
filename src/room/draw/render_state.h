// render_state.h -- the four lights, the per-frame render state and light switches, the lamp material.
#pragma once

void initLights();
void applyRenderState();
void applyLightSwitches();
void applyLampMaterial();
