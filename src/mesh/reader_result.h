#ifndef OBTMIRROR_MESH_READER_RESULT_H_
#define OBTMIRROR_MESH_READER_RESULT_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "mesh/import_options.h"
#include "obt/obt_object.h"

namespace mesh {

// What the reader process hands back crosses in a memory file that it fills
// and seals and the command maps: a header, the object's points, triangles
// and FourthValues as they will be written, then the texts of the outcome.
// The reader may have been taken over by the file it read, so the command
// believes nothing of it that it has not checked: ParseReaderResult is the
// only way in.

// The longest text of a result, and the most notes: more would be no
// message a user reads. All the texts of a result take at most
// kLongestTexts bytes.
inline constexpr uint32_t kLongestText = 4096;
inline constexpr uint32_t kMostNotes = 64;
inline constexpr std::size_t kLongestTexts =
    (kMostNotes + 1) * (sizeof(uint32_t) + kLongestText);

// The bytes of the result of `outcome` and an object of these sizes.
std::size_t ReaderResultSize(const ImportOutcome& outcome, std::size_t points,
                             std::size_t triangles);

// Where the lists of an object of these sizes end, and the texts begin:
// the command may make room for the lists once it knows the sizes.
std::size_t ReaderListsEnd(std::size_t points, std::size_t triangles);

// The result's header, which the bytes of the object's lists follow when
// `outcome` is kImported, and then the texts, so that the reader writes
// the lists from where they are.
std::vector<std::byte> ReaderResultHeader(const ImportOutcome& outcome,
                                          std::size_t points,
                                          std::size_t triangles);
std::vector<std::byte> ReaderResultTexts(const ImportOutcome& outcome);

// The whole result of `outcome` and `object` in one piece.
std::vector<std::byte> EncodeReaderResult(const ImportOutcome& outcome,
                                          const obt::ObtObject& object);

// An outcome and the lists it came with, which point into the bytes parsed.
struct ReaderResult {
  ImportOutcome outcome;
  obt::ObjectLists lists;
};

// Checks everything in `bytes` (aligned to 8) before it is used: sizes that
// add up to exactly the bytes there are, counts within what a run holds,
// statuses and texts that are ours (a control character in a text, which a
// file could plant to rewrite the terminal, becomes "?"), and an imported
// object that holds triangles whose corners name its points. Nothing, with
// `fault` saying what is wrong, for anything else.
std::optional<ReaderResult> ParseReaderResult(std::span<const std::byte> bytes,
                                              std::string& fault);

}  // namespace mesh

#endif  // OBTMIRROR_MESH_READER_RESULT_H_
