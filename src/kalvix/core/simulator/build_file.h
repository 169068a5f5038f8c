#pragma once
// Build files (*.PSF): one line of standard Base64 text holding the 1500-byte build record.

#include <cstddef>
#include <string>
#include <string_view>

#include "kalvix/core/simulator/build_record.h"

namespace kalvix {

// What the open and save dialogs offer.
inline constexpr const char* kBuildFileFilter = "Zentrix人物模拟文件(*.PSF)|*.PSF||";
inline constexpr const char* kBuildFileExtension = "PSF";

inline constexpr std::size_t kBuildTextLength = 2000;  // characters of a saved file
inline constexpr std::size_t kBuildLineLimit = 2001;   // characters read from a file

// Standard Base64 of the whole record: exactly 2000 characters, no line break.
std::string encodeBuildText(const BuildRecord& record);

struct DecodeResult {
    std::size_t bytes = 0;  // bytes written from offset 0
    bool failed = false;    // a malformed group stopped the decoding
};

// Decodes group by group into the record from offset 0. A character outside the alphabet at a
// group's start ends the data (the end of the line); a short group, a character after "=" or a
// group of three or four "=" stops it as a failure. What was written stays; bytes the text does
// not reach keep their values; nothing is written beyond 1500 bytes.
DecodeResult decodeBuildText(std::string_view text, BuildRecord& record);

// The line a build file is read by: up to and including the first line feed, at most 2001
// characters.
std::string_view firstBuildLine(std::string_view contents);

enum class BuildFileStatus {
    Done,
    Empty,       // load only: nothing could be read; nothing happens
    OpenFailed,  // the file could not be opened
    WriteFailed  // save only: the text could not be written completely
};

struct BuildFileResult {
    BuildFileStatus status = BuildFileStatus::Done;
    std::string message;  // the message box text, empty when there is none
    DecodeResult decode;  // load only
};

// Writes the record's text into the file, replacing it whole or not at all: on a failure the
// file keeps what it held (common::writeFileAtomically).
BuildFileResult saveBuildFile(const std::string& path, const BuildRecord& record);
// Reads the file's first line and decodes it into the record. With Done the caller applies
// the record, even when decoding failed part-way.
BuildFileResult loadBuildFile(const std::string& path, BuildRecord& record);

}  // namespace kalvix
