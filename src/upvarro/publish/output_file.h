#pragma once
// A file written beside its target and renamed over it, so readers (and a web server) see the
// old bytes or the new ones, never a part.

#include <string>
#include <string_view>

namespace upvarro::publish {

class OutputFile {
  public:
    OutputFile() = default;
    ~OutputFile() { discard(); }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Writes bytes to a new temporary file in folder and flushes them to disk, readable as a
    // new file of the user would be. False with error set when that fails (nothing is left).
    bool prepare(const std::string& folder, const std::string& name, std::string_view bytes,
                 std::string& error);
    // Renames the prepared file over folder/name and flushes the folder.
    bool commit(std::string& error);
    // Removes the prepared file when it was not committed.
    void discard();

    const std::string& target() const { return target_; }

  private:
    std::string folder_;
    std::string temporary_;
    std::string target_;
};

// Writes bytes to a new file path with mode, failing when the path exists already; flushed
// to disk. A file that could not be written whole is removed again.
bool createExclusive(const std::string& path, std::string_view bytes, unsigned mode,
                     std::string& error);

}  // namespace upvarro::publish
