// render_state.h -- the four lights, the per-frame render state and light switches, the lamp material.
#pragma once

struct LightRecord {
    float diffuse[4];
    float ambient[4];
    float specular[4];
    float position[4];
};

extern const LightRecord ceilingLight;
extern const LightRecord leftLamp;
extern const LightRecord rightLamp;
extern const LightRecord frontLamp;
extern const float dimAmbient[4];
extern const float brightAmbient[4];

void initLights();
void applyRenderState();
void applyLightSwitches();
void applyLampMaterial();
