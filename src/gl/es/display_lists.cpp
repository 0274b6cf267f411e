// display_lists.cpp -- display lists: the calls made while compiling, turned into primitives whose
// vertices are worked out once, and drawn by glCallList.
//
// A list keeps only what it was given: a vertex in it takes a colour the list never set from the
// current colour when the list is called (the pebbles wear the plant's green that way), and calling it
// leaves behind the current values its immediate-mode calls set, but none from its array draws, as
// Mesa's lists do (measured: a listed glutSolidSphere leaves the current normal as it was).
#include "gl/es/display_lists.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "gl/es/context.h"
#include "gl/es/display_lists_testing.h"
#include "gl/es/immediate.h"

namespace es {

namespace {

// A primitive of a list, its vertices worked out when the list was made. The first vertices of a
// primitive may take an attribute from the current values when the list is called: those made before
// the list gave that attribute any value of its own.
struct ListedPrimitive {
    GLenum mode;
    std::vector<SourceVertex> vertices;
    size_t currentColours = 0, currentNormals = 0, currentTexCoords = 0;  // how many take the current value
};

struct List {
    std::vector<ListedPrimitive> primitives;
    // What the list's immediate-mode calls leave current after it.
    bool setsColour = false, setsNormal = false, setsTexCoord = false;
    float colour[4] = {}, normal[3] = {}, texCoord[2] = {};
};

struct Lists {
    std::map<GLuint, List> kept;
    GLuint nextName = 1;
    GLuint compiling = 0;  // the list open for compiling, 0 when none
    std::vector<ListCall> calls;
    std::vector<KeptArrayDraw> arrayDraws;  // in the order the ArrayDraw calls name them
};
Lists listState;

// The list the calls make: each vertex with what the list had set before it, the rest left to the
// current values of the moment it is called.
List compile(const std::vector<ListCall>& calls, std::vector<KeptArrayDraw>& arrayDraws) {
    List list;
    SourceVertex current{};
    size_t arrayDraw = 0;
    ListedPrimitive* open = nullptr;
    auto counting = [](bool set, size_t& count, size_t vertices) {
        if (!set && count == vertices) ++count;
    };
    for (const ListCall& call : calls) {
        const float* v = call.values;
        switch (call.kind) {
            case ListCall::Begin:
                list.primitives.push_back({call.mode, {}});
                open = &list.primitives.back();
                break;
            case ListCall::End:
                open = nullptr;
                break;
            case ListCall::Vertex:
                if (open == nullptr) break;
                counting(list.setsColour, open->currentColours, open->vertices.size());
                counting(list.setsNormal, open->currentNormals, open->vertices.size());
                counting(list.setsTexCoord, open->currentTexCoords, open->vertices.size());
                std::copy(v, v + 4, current.position);
                open->vertices.push_back(current);
                break;
            case ListCall::Colour:
                std::copy(v, v + 4, current.colour);
                list.setsColour = true;
                break;
            case ListCall::Normal:
                std::copy(v, v + 3, current.normal);
                list.setsNormal = true;
                break;
            case ListCall::TexCoord:
                std::copy(v, v + 2, current.texCoord);
                list.setsTexCoord = true;
                break;
            case ListCall::ArrayDraw: {
                // An array draw sets no current value; what its arrays do not give is the list's, or
                // the current value's when the list has set none.
                KeptArrayDraw& draw = arrayDraws[arrayDraw++];
                ListedPrimitive p{draw.mode, std::move(draw.vertices)};
                for (SourceVertex& vertex : p.vertices) {
                    if (!draw.colours && list.setsColour) std::copy(current.colour, current.colour + 4, vertex.colour);
                    if (!draw.normals && list.setsNormal) std::copy(current.normal, current.normal + 3, vertex.normal);
                    if (!draw.texCoords && list.setsTexCoord)
                        std::copy(current.texCoord, current.texCoord + 2, vertex.texCoord);
                }
                if (!draw.colours && !list.setsColour) p.currentColours = p.vertices.size();
                if (!draw.normals && !list.setsNormal) p.currentNormals = p.vertices.size();
                if (!draw.texCoords && !list.setsTexCoord) p.currentTexCoords = p.vertices.size();
                list.primitives.push_back(std::move(p));
                open = nullptr;
                break;
            }
        }
    }
    std::copy(current.colour, current.colour + 4, list.colour);
    std::copy(current.normal, current.normal + 3, list.normal);
    std::copy(current.texCoord, current.texCoord + 2, list.texCoord);
    return list;
}

void replay(const List& list) {
    static std::vector<SourceVertex> patched;
    const CurrentValues& current = context().current;
    for (const ListedPrimitive& p : list.primitives) {
        if (p.currentColours == 0 && p.currentNormals == 0 && p.currentTexCoords == 0) {
            drawPrimitives(p.mode, p.vertices, nullptr, Origin::DisplayList);
            continue;
        }
        patched = p.vertices;
        for (size_t i = 0; i < p.currentColours; ++i) std::copy(current.colour, current.colour + 4, patched[i].colour);
        for (size_t i = 0; i < p.currentNormals; ++i) std::copy(current.normal, current.normal + 3, patched[i].normal);
        for (size_t i = 0; i < p.currentTexCoords; ++i)
            std::copy(current.texCoord, current.texCoord + 2, patched[i].texCoord);
        drawPrimitives(p.mode, patched, nullptr, Origin::DisplayList);
    }
    if (list.setsColour) setColour(list.colour[0], list.colour[1], list.colour[2], list.colour[3]);
    if (list.setsNormal) setNormal(list.normal[0], list.normal[1], list.normal[2]);
    if (list.setsTexCoord) setTexCoord(list.texCoord[0], list.texCoord[1]);
}

}  // namespace

bool compilingList() {
    return listState.compiling != 0;
}

void keep(const ListCall& call) {
    listState.calls.push_back(call);
}

void keepArrayDraw(KeptArrayDraw&& draw) {
    listState.calls.push_back({ListCall::ArrayDraw, draw.mode, {}});
    listState.arrayDraws.push_back(std::move(draw));
}

}  // namespace es

using namespace es;

GLuint glGenLists(GLsizei range) {
    if (range < 0) {
        raise(GL_INVALID_VALUE);
        return 0;
    }
    if (range == 0 || insideBeginEnd()) return 0;
    Lists& l = listState;
    const GLuint first = l.nextName;
    for (GLsizei i = 0; i < range; ++i) l.kept[first + static_cast<GLuint>(i)];
    l.nextName += static_cast<GLuint>(range);
    return first;
}

void glNewList(GLuint list, GLenum mode) {
    Lists& l = listState;
    // GL_COMPILE_AND_EXECUTE is not one the drawing uses.
    if (mode != GL_COMPILE) return raise(GL_INVALID_ENUM);
    if (list == 0) return raise(GL_INVALID_VALUE);
    if (l.compiling != 0 || insideBeginEnd()) return raise(GL_INVALID_OPERATION);
    l.compiling = list;
    l.calls.clear();
    l.arrayDraws.clear();
}

void glEndList() {
    Lists& l = listState;
    if (l.compiling == 0) return raise(GL_INVALID_OPERATION);
    l.kept[l.compiling] = compile(l.calls, l.arrayDraws);
    l.calls.clear();
    l.arrayDraws.clear();
    l.compiling = 0;
}

void glCallList(GLuint list) {
    Lists& l = listState;
    auto found = l.kept.find(list);
    if (found == l.kept.end()) return;
    replay(found->second);
}

std::string describeList(unsigned int list) {
    const auto found = listState.kept.find(list);
    if (found == listState.kept.end()) return {};
    std::string out;
    char line[256];
    for (const ListedPrimitive& p : found->second.primitives) {
        std::snprintf(line, sizeof line, "primitive %u %zu\n", p.mode, p.vertices.size());
        out += line;
        for (size_t i = 0; i < p.vertices.size(); ++i) {
            const SourceVertex& v = p.vertices[i];
            std::snprintf(line, sizeof line, "v %a %a %a", v.position[0], v.position[1], v.position[2]);
            out += line;
            if (i >= p.currentNormals) {
                std::snprintf(line, sizeof line, " n %a %a %a", v.normal[0], v.normal[1], v.normal[2]);
                out += line;
            }
            if (i >= p.currentTexCoords) {
                std::snprintf(line, sizeof line, " t %a %a", v.texCoord[0], v.texCoord[1]);
                out += line;
            }
            out += "\n";
        }
    }
    return out;
}
