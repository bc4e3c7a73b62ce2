// Reading and writing whole files safely.
//
// Reading refuses what is not a plain file (a folder, a device, a pipe) and a file larger than the
// caller's limit before reading any of it. Writing never touches the target until the new content
// is complete and durable:
//   1. a temporary file is created beside the target under a fresh unique name, exclusively (an
//      existing file, folder or link of that name is never opened or followed);
//   2. it takes the mode of the file it replaces (or the usual mode for a new file), receives all
//      the bytes and is flushed to the disk;
//   3. it is renamed over the target in one step and the folder is flushed, so that the rename
//      itself survives a crash.
// A failure at any step removes the temporary file and leaves the target byte for byte as it was;
// the message says which step failed and why.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tavrin::software {

class FileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The whole content of the plain file at path; FileError ("PATH: why") when it is not a plain
// file, cannot be read, or holds more than maxBytes. `what` names the kind ("form file").
std::string readWholeFile(const std::string& path, int64_t maxBytes, const char* what);

// Replaces (or creates) the file at path with bytes, atomically; FileError ("PATH: why") on failure.
void writeFileAtomically(const std::string& path, std::string_view bytes);

} // namespace tavrin::software
