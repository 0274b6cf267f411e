// lighting_program.cpp -- the ES programs: GL's lighting per vertex, in the order and with the operations
// Mesa's fixed-function vertex program uses, so llvmpipe computes both to the same float.
#include "gl/es/lighting_program.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>

#include "gl/es/es_calls.h"
#include "gl/es/es_faults_testing.h"

namespace es {

bool ProgramKey::operator<(const ProgramKey& other) const {
    auto tie = [](const ProgramKey& k) {
        return std::tie(k.lighting, k.normalize, k.specular, k.trackAmbient, k.trackDiffuse, k.texturing, k.lights,
                        k.attenuated);
    };
    return tie(*this) < tie(other);
}

namespace {

std::map<ProgramKey, Program>& programs() {
    static std::map<ProgramKey, Program> kept;
    return kept;
}

// One light's share, as Mesa writes it for a positional light without a spotlight: the direction and
// distance to the light, the attenuation 1 / (k0 + k1 d + k2 d^2) with d from the reciprocal square root,
// the half vector of a viewer at infinity, then GL's LIT (ambient, diffuse, and the specular power)
// scaled by the attenuation and added term by term.
//
// With a shininess of 0 Mesa leaves out the half vector and all four of LIT's inputs hold n.L, so its
// specular power is (n.L)^(n.L) under attenuation, and a plain 1 where n.L > 0 without; measured, and
// repeated here, since the program's long normals make that power overflow and whiten what it lights.
std::string lightCode(const ProgramKey& key, int i) {
    const std::string n = std::to_string(i);
    const bool attenuated = ((key.attenuated >> i) & 1) && plantedFault() != EsLayerFault::DroppedAttenuation;
    const std::string ambient =
        key.trackAmbient ? "(u_lightAmbient[" + n + "] * a_colour.rgb)" : "u_lightAmbient[" + n + "]";
    const std::string diffuse =
        key.trackDiffuse ? "(u_lightDiffuse[" + n + "] * a_colour.rgb)" : "u_lightDiffuse[" + n + "]";
    std::string code;
    code += "    {\n";
    code += "        vec3 toLight = u_lightPosition[" + n + "] - a_eye;\n";
    code += "        float reciprocal = inversesqrt(dot(toLight, toLight));\n";
    code += "        toLight = toLight * reciprocal;\n";
    if (attenuated) {
        code += "        float distance = 1.0 / reciprocal;\n";
        code += "        float attenuation = 1.0 / dot(u_attenuation[" + n +
                "], vec3(reciprocal * distance, distance, distance * distance));\n";
    }
    code += "        float diffuseDot = dot(normal, toLight);\n";
    if (key.specular) {
        code += "        vec3 halfway = toLight + vec3(0.0, 0.0, 1.0);\n";
        code += "        halfway = halfway * inversesqrt(dot(halfway, halfway));\n";
        code += "        float specularDot = dot(normal, halfway);\n";
        code +=
            "        vec3 lit = vec3(1.0, max(diffuseDot, 0.0), diffuseDot > 0.0 ? pow(max(specularDot, 0.0), "
            "clamp(u_shininess, -128.0, 128.0)) : 0.0);\n";
    } else if (attenuated) {
        code +=
            "        vec3 lit = vec3(1.0, max(diffuseDot, 0.0), diffuseDot > 0.0 ? pow(max(diffuseDot, 0.0), "
            "clamp(diffuseDot, -128.0, 128.0)) : 0.0);\n";
    } else {
        code += "        vec3 lit = vec3(max(diffuseDot, 0.0), max(diffuseDot, 0.0), diffuseDot > 0.0 ? 1.0 : 0.0);\n";
    }
    if (attenuated) {
        code += "        lit = lit * attenuation;\n";
        code += "        colour = lit.x * " + ambient + " + colour;\n";
    } else {
        code += "        colour = " + ambient + " + colour;\n";
    }
    code += "        colour = lit.y * " + diffuse + " + colour;\n";
    code += "        colour = lit.z * u_specularProduct[" + n + "] + colour;\n";
    code += "    }\n";
    return code;
}

std::string vertexSource(const ProgramKey& key) {
    std::string s =
        "attribute vec4 a_clip;\n"
        "attribute vec4 a_colour;\n"
        "attribute vec2 a_texCoord;\n"
        "varying vec4 v_colour;\n"
        "varying vec2 v_texCoord;\n";
    if (key.lighting) {
        s += "attribute vec3 a_eye;\n"
             "attribute vec3 a_normal;\n"
             "uniform vec3 u_lightPosition[8];\n"
             "uniform vec3 u_lightAmbient[8];\n"
             "uniform vec3 u_lightDiffuse[8];\n"
             "uniform vec3 u_specularProduct[8];\n"
             "uniform vec3 u_attenuation[8];\n"
             "uniform vec3 u_modelAmbient;\n"
             "uniform vec3 u_emission;\n"
             "uniform vec3 u_sceneColour;\n"
             "uniform float u_diffuseAlpha;\n"
             "uniform float u_shininess;\n";
    }
    // GL clamps the vertex colour to [0, 1]; Mesa's clamp makes a NaN (an infinite specular power
    // times a black channel) 1, so this one does too.
    s += "float saturate(float x) { return x <= 1.0 ? max(x, 0.0) : 1.0; }\n"
         "void main() {\n"
         "    gl_Position = a_clip;\n"
         "    v_texCoord = a_texCoord;\n";
    if (!key.lighting) {
        s += "    v_colour = vec4(saturate(a_colour.r), saturate(a_colour.g), saturate(a_colour.b), "
             "saturate(a_colour.a));\n";
    } else {
        s += "    vec3 normal = a_normal;\n";
        if (key.normalize) s += "    normal = normal * inversesqrt(dot(normal, normal));\n";
        s += key.trackAmbient ? "    vec3 colour = u_modelAmbient * a_colour.rgb + u_emission;\n"
                              : "    vec3 colour = u_sceneColour;\n";
        for (int i = 0; i < 8; ++i)
            if ((key.lights >> i) & 1) s += lightCode(key, i);
        s += std::string("    float alpha = ") + (key.trackDiffuse ? "a_colour.a" : "u_diffuseAlpha") + ";\n";
        s += "    v_colour = vec4(saturate(colour.r), saturate(colour.g), saturate(colour.b), saturate(alpha));\n";
    }
    s += "}\n";
    return s;
}

std::string fragmentSource(const ProgramKey& key) {
    std::string s =
        "precision highp float;\n"
        "varying vec4 v_colour;\n"
        "varying vec2 v_texCoord;\n";
    if (key.texturing) {
        // GL_MODULATE: the texel times the fragment's colour.
        s += "uniform sampler2D u_texture;\n";
        s += "void main() { gl_FragColor = texture2D(u_texture, v_texCoord) * v_colour; }\n";
    } else {
        s += "void main() { gl_FragColor = v_colour; }\n";
    }
    return s;
}

GLuint compile(GLenum type, const std::string& source) {
    GLuint shader = gl.CreateShader(type);
    const GLchar* text = source.c_str();
    gl.ShaderSource(shader, 1, &text, nullptr);
    gl.CompileShader(shader);
    GLint compiled = GL_FALSE;
    gl.GetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        char log[2048] = "";
        gl.GetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "glintmere: the ES layer's shader does not compile:\n%s\n%s", log, source.c_str());
        std::abort();
    }
    return shader;
}

Program build(const ProgramKey& key) {
    Program p;
    p.id = gl.CreateProgram();
    GLuint vertex = compile(GL_VERTEX_SHADER, vertexSource(key));
    GLuint fragment = compile(GL_FRAGMENT_SHADER, fragmentSource(key));
    gl.AttachShader(p.id, vertex);
    gl.AttachShader(p.id, fragment);
    gl.BindAttribLocation(p.id, ClipAttribute, "a_clip");
    gl.BindAttribLocation(p.id, ColourAttribute, "a_colour");
    gl.BindAttribLocation(p.id, TexCoordAttribute, "a_texCoord");
    gl.BindAttribLocation(p.id, EyeAttribute, "a_eye");
    gl.BindAttribLocation(p.id, NormalAttribute, "a_normal");
    gl.LinkProgram(p.id);
    gl.DeleteShader(vertex);
    gl.DeleteShader(fragment);
    GLint linked = GL_FALSE;
    gl.GetProgramiv(p.id, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        char log[2048] = "";
        gl.GetProgramInfoLog(p.id, sizeof log, nullptr, log);
        std::fprintf(stderr, "glintmere: the ES layer's program does not link:\n%s\n", log);
        std::abort();
    }
    auto uniform = [&p](const char* name) { return gl.GetUniformLocation(p.id, name); };
    p.lightPosition = uniform("u_lightPosition");
    p.lightAmbient = uniform("u_lightAmbient");
    p.lightDiffuse = uniform("u_lightDiffuse");
    p.specularProduct = uniform("u_specularProduct");
    p.attenuation = uniform("u_attenuation");
    p.modelAmbient = uniform("u_modelAmbient");
    p.emission = uniform("u_emission");
    p.sceneColour = uniform("u_sceneColour");
    p.diffuseAlpha = uniform("u_diffuseAlpha");
    p.shininess = uniform("u_shininess");
    p.texture = uniform("u_texture");
    return p;
}

}  // namespace

const Program& programFor(const ProgramKey& key) {
    auto found = programs().find(key);
    if (found != programs().end()) return found->second;
    return programs().emplace(key, build(key)).first->second;
}

void forgetPrograms() {
    programs().clear();
}

}  // namespace es
