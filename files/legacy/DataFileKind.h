#pragma once
// Kinds of data file, told apart by the first bytes of the file.
//
// Head of a file (byte offsets):
//   0..17  "QUARVISH-DATA-FILE"          data file of the predecessor program
//   0..1   "//" and "Ver_0.8" from the first 'V' within bytes 0..30: labelled text input
//   35..37 version "0.5", "0.7", "0.8"   of a native binary file whose
//   39..43 "Q4W96"                        tag stands here
// Bytes past the end of a short file never match.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

inline constexpr int kKindNativeV05 = 1001;
inline constexpr int kKindNativeV07 = 1003;
inline constexpr int kKindNativeV08 = 1004;
inline constexpr int kKindLabelledText = 1007;
inline constexpr int kKindPredecessor = 1008;
inline constexpr int kKindUnknown = 1009;
// Codes below this are native binary files of an unsupported version (ten times the version).
inline constexpr int kKindSupportedBase = 1000;

// Bytes of the head the detector looks at: the title block and the version block.
inline constexpr std::size_t kTitleBlockBytes = 31;
inline constexpr std::size_t kNativeHeaderBytes = 45;

struct FileKindInfo {
    int kind = kKindUnknown;
    // The version a native binary file names (meaningful for unsupported versions).
    double version = 0.0;
};

// The kind of the bytes that begin a file. A native file of any version other than 0.5, 0.7
// and 0.8 gets a code below 1000: ten times its version, truncated, kept within -999 .. 999.
FileKindInfo DetectFileKindInfo(std::span<const std::uint8_t> head);
int DetectFileKind(std::span<const std::uint8_t> head);
// The kind of a file on disk (reads its first 45 bytes); kKindUnknown when it cannot be read.
int DetectFileKind(const std::string& path);

// The title block taken as a text: up to its first NUL or its 31st byte.
std::string TitleBlockText(std::span<const std::uint8_t> head);
// The predecessor's header line: the first 18 characters are "QUARVISH-DATA-FILE".
bool CheckDataFileHeader(std::string_view text);
// The labelled text header: begins "//" and reads "Ver_0.8" from its first 'V'.
bool CheckVersionHeader(std::string_view text);
