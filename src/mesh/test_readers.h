#ifndef OBTMIRROR_MESH_TEST_READERS_H_
#define OBTMIRROR_MESH_TEST_READERS_H_

namespace Assimp {
class Importer;
}

namespace mesh {

// Readers that go wrong on purpose, for the tests of the reader process,
// registered only in a test build. Each claims one extension and, whatever
// the file holds:
//   .crash-test   dereferences a null pointer;
//   .spin-test    computes for ever;
//   .sleep-test   waits for ever without computing;
//   .hoard-test   takes memory until none is given;
//   .socket-test  opens a network socket;
//   .peek-test    opens the file whose path the model holds, behind the
//                 library's back, and fails with what came of it.
void RegisterTestReaders(Assimp::Importer& importer);

}  // namespace mesh

#endif  // OBTMIRROR_MESH_TEST_READERS_H_
