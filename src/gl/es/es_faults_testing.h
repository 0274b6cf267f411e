// es_faults_testing.h -- lets a test plant a known fault in the layer, to show that the comparison with
// Mesa's frames sees it.
#pragma once

enum class EsLayerFault {
    None,
    SwappedQuadDiagonal,     // every quad split along the other diagonal
    TransposedNormalMatrix,  // normals carried by the inverse instead of its transpose
    DroppedAttenuation,      // lights as bright at every distance
};

// Plants `fault` (None takes it out) for everything drawn from now on.
void plantEsLayerFault(EsLayerFault fault);

namespace es {
EsLayerFault plantedFault();
}  // namespace es
