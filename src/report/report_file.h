#pragma once
// Report files (".tdf"): one printout's field sequence in the archive encoding, as a
// compressed stream, with nothing of the file's own around it. The same field sequence
// uncompressed is the report block that the server sends.
//
// These functions only read and write; they report failures as the message text that
// the caller shows or logs, and ask the user nothing.

#include <memory>
#include <string>

class CByteStream;
class CClassRegistry;
class CReportPrintout;

namespace ReportFile {

inline constexpr const char* kExtension = "tdf";
inline constexpr const char* kFilter = "TW Form Files (*.tdf)|*.tdf||";
inline constexpr const char* kOpenTitle = "Open TW Form File";
inline constexpr const char* kSaveTitle = "Save TW Form File";

inline constexpr const char* kErrorOpening = "Error opening file";
inline constexpr const char* kErrorCreating = "Error creating file";

// Longest error text handed on.
inline constexpr size_t kMaxMessageLength = 1023;

}  // namespace ReportFile

// A loaded printout, or the message that says why there is none.
struct CReportLoadResult {
    std::shared_ptr<CReportPrintout> printout;
    std::string message;

    bool Ok() const { return printout != nullptr; }
};

// Opens a report file. Registers the report classes in the global registry when no
// other registry is given (the caller registers them in one it gives).
CReportLoadResult OpenReportFile(const std::string& path, const CClassRegistry* registry = nullptr);
// Loads a printout from a compressed stream positioned at its first block.
CReportLoadResult ReadReportStream(CByteStream& compressed, const CClassRegistry* registry = nullptr);

// Saves a report file and returns the message of a failure, empty on success. The file
// is written under a unique temporary name beside the target, with the target's
// permissions, and takes the target's name only when complete, so a failed save leaves
// an existing file as it was. Where the folder is not writable the file is written in
// place. Saving over a symbolic link writes the file it points to.
std::string SaveReportFile(CReportPrintout& printout, const std::string& path);
// Writes the compressed form of a printout into a stream; throws CCodecException.
void WriteReportStream(CReportPrintout& printout, CByteStream& out);

// The uncompressed report block (what GENERATECASEREPORTVIEW returns for a printout).
CReportLoadResult LoadReportBlock(const std::string& bytes, const CClassRegistry* registry = nullptr);
std::string StoreReportBlock(CReportPrintout& printout);
