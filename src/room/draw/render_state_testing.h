// render_state_testing.h -- the four lights' records and the two global ambients, for the tests that
// read back what initLights and the light switches gave GL.
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
