// display_lists.cpp -- display lists kept as the calls that were made while compiling, replayed in order.
//
// A list keeps only what it was given: a vertex in it takes a colour the list never set from the
// current colour when the list is called (the pebbles wear the plant's green that way), and calling it
// leaves behind the current values its immediate-mode calls set, but none from its array draws, as
// Mesa's lists do (measured: a listed glutSolidSphere leaves the current normal as it was).
#include "gl/es/display_lists.h"

#include <algorithm>
#include <map>
#include <vector>

#include "gl/es/context.h"
#include "gl/es/immediate.h"

namespace es {

namespace {

struct List {
    std::vector<ListCall> calls;
    std::vector<KeptArrayDraw> arrayDraws;  // in the order the ArrayDraw calls name them
};

struct Lists {
    std::map<GLuint, List> kept;
    GLuint nextName = 1;
    GLuint compiling = 0;  // the list open for compiling, 0 when none
    List open;
};

Lists& lists() {
    static Lists kept;
    return kept;
}

void replayArrayDraw(const KeptArrayDraw& draw) {
    static std::vector<SourceVertex> vertices;
    vertices = draw.vertices;
    const CurrentValues& current = context().current;
    for (SourceVertex& v : vertices) {
        if (!draw.colours) std::copy(current.colour, current.colour + 4, v.colour);
        if (!draw.normals) std::copy(current.normal, current.normal + 3, v.normal);
        if (!draw.texCoords) std::copy(current.texCoord, current.texCoord + 2, v.texCoord);
    }
    drawPrimitives(draw.mode, vertices, nullptr, Origin::DisplayList);
}

void replay(const List& list) {
    size_t arrayDraw = 0;
    for (const ListCall& call : list.calls) {
        const float* v = call.values;
        switch (call.kind) {
            case ListCall::Begin:
                beginPrimitive(call.mode);
                break;
            case ListCall::End:
                endPrimitive(Origin::DisplayList);
                break;
            case ListCall::Vertex:
                addVertex(v[0], v[1], v[2], v[3]);
                break;
            case ListCall::Colour:
                setColour(v[0], v[1], v[2], v[3]);
                break;
            case ListCall::Normal:
                setNormal(v[0], v[1], v[2]);
                break;
            case ListCall::TexCoord:
                setTexCoord(v[0], v[1]);
                break;
            case ListCall::ArrayDraw:
                replayArrayDraw(list.arrayDraws[arrayDraw++]);
                break;
        }
    }
}

}  // namespace

bool compilingList() {
    return lists().compiling != 0;
}

void keep(const ListCall& call) {
    lists().open.calls.push_back(call);
}

void keepArrayDraw(KeptArrayDraw&& draw) {
    Lists& l = lists();
    l.open.calls.push_back({ListCall::ArrayDraw, draw.mode, {}});
    l.open.arrayDraws.push_back(std::move(draw));
}

}  // namespace es

using namespace es;

GLuint glGenLists(GLsizei range) {
    if (range < 0) {
        raise(GL_INVALID_VALUE);
        return 0;
    }
    if (range == 0 || insideBeginEnd()) return 0;
    Lists& l = lists();
    const GLuint first = l.nextName;
    for (GLsizei i = 0; i < range; ++i) l.kept[first + static_cast<GLuint>(i)];
    l.nextName += static_cast<GLuint>(range);
    return first;
}

void glNewList(GLuint list, GLenum mode) {
    Lists& l = lists();
    // GL_COMPILE_AND_EXECUTE is not one the drawing uses.
    if (mode != GL_COMPILE) return raise(GL_INVALID_ENUM);
    if (list == 0) return raise(GL_INVALID_VALUE);
    if (l.compiling != 0 || insideBeginEnd()) return raise(GL_INVALID_OPERATION);
    l.compiling = list;
    l.open = List{};
}

void glEndList() {
    Lists& l = lists();
    if (l.compiling == 0) return raise(GL_INVALID_OPERATION);
    l.kept[l.compiling] = std::move(l.open);
    l.open = List{};
    l.compiling = 0;
}

void glCallList(GLuint list) {
    Lists& l = lists();
    auto found = l.kept.find(list);
    if (found == l.kept.end()) return;
    replay(found->second);
}
