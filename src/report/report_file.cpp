#include "report/report_file.h"

#include "codec/archive.h"
#include "codec/class_registry.h"
#include "codec/codec_exception.h"
#include "codec/file_stream.h"
#include "codec/mem_file.h"
#include "codec/ox_compressed_file.h"
#include "report/report_classes.h"
#include "report/report_printout.h"

#include <cerrno>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Message(const std::exception& error)
{
    std::string text = error.what();
    if (text.size() > ReportFile::kMaxMessageLength)
        text.resize(ReportFile::kMaxMessageLength);
    return text;
}

const CClassRegistry* Registry(const CClassRegistry* given)
{
    if (given)
        return given;
    RegisterReportClasses(CClassRegistry::Global());
    return &CClassRegistry::Global();
}

// Reads one printout from the archive bytes in the stream; the half-built printout of
// a failed load is dropped.
CReportLoadResult LoadPrintout(CByteStream& stream, const CClassRegistry* registry)
{
    CReportLoadResult result;
    try {
        auto printout = std::make_shared<CReportPrintout>();
        CArchive ar(stream, CArchive::load, CArchive::kDefaultBufferSize, Registry(registry));
        printout->Serialize(ar);
        result.printout = std::move(printout);
    } catch (const std::exception& error) {
        result.message = Message(error);
    }
    return result;
}

}  // namespace

CReportLoadResult ReadReportStream(CByteStream& compressed, const CClassRegistry* registry)
{
    COXCompressedFile reader;
    reader.Open(compressed, COXCompressedFile::modeRead);
    return LoadPrintout(reader, registry);
}

CReportLoadResult OpenReportFile(const std::string& path, const CClassRegistry* registry)
{
    CFileStream file;
    if (!file.Open(path, CFileStream::modeRead))
        return {nullptr, ReportFile::kErrorOpening};
    return ReadReportStream(file, registry);
}

void WriteReportStream(CReportPrintout& printout, CByteStream& out)
{
    COXCompressedFile writer;
    writer.Open(out, COXCompressedFile::modeWrite);
    CArchive ar(writer, CArchive::store);
    printout.Serialize(ar);
    ar.Flush();
    writer.Close();
}

namespace {

struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, CloseFile>;

// Writes the report into an open file; returns the failure's message, empty on success.
// The file is closed either way.
std::string WriteReportFile(CReportPrintout& printout, FilePtr file)
{
    std::string message;
    {
        CFileStream stream;
        stream.Attach(file.get(), CFileStream::modeWrite);
        try {
            WriteReportStream(printout, stream);
            stream.Close();
        } catch (const std::exception& error) {
            message = Message(error);
        }
    }
    const bool synced = ::fsync(::fileno(file.get())) == 0;
    const bool closed = std::fclose(file.release()) == 0;
    if (message.empty() && (!synced || !closed))
        message = "Could not finish writing the file";
    return message;
}

// The file a save replaces: the target of a symbolic link, so that saving over a link
// updates the file it points to and keeps the link.
std::string ResolvedTarget(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error))
        return path;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    return error ? path : resolved.string();
}

}  // namespace

std::string SaveReportFile(CReportPrintout& printout, const std::string& path)
{
    const std::string target = ResolvedTarget(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return ReportFile::kErrorCreating;

    // A uniquely named file beside the target (mkstemp opens it exclusively, so no link
    // or file of that name is followed or overwritten); it takes the target's name only
    // when complete, so a failed save leaves an existing file as it was.
    const std::filesystem::path targetPath(target);
    std::string temporary =
        (targetPath.parent_path() / ("." + targetPath.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        // The folder is not writable: write the file in place, which keeps its owner and
        // permissions. (Any other failure, a full disk say, leaves the file alone.)
        if (errno != EACCES && errno != EPERM)
            return ReportFile::kErrorCreating;
        FilePtr file(std::fopen(target.c_str(), "wb"));
        if (!file)
            return ReportFile::kErrorCreating;
        return WriteReportFile(printout, std::move(file));
    }

    // The new file gets the permissions the old one had, or those a new file gets.
    mode_t mode = 0;
    if (exists) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);
    // The owner and group too, as far as the user may give them (root keeps both, a
    // member of the file's group keeps the group).
    if (exists && ::fchown(fd, existing.st_uid, existing.st_gid) != 0)
        (void)!::fchown(fd, static_cast<uid_t>(-1), existing.st_gid);

    FilePtr file(::fdopen(fd, "wb"));
    if (!file) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return ReportFile::kErrorCreating;
    }
    std::string message = WriteReportFile(printout, std::move(file));
    if (message.empty() && std::rename(temporary.c_str(), target.c_str()) == 0)
        return "";
    if (message.empty())
        message = ReportFile::kErrorCreating;
    ::unlink(temporary.c_str());
    return message;
}

CReportLoadResult LoadReportBlock(const std::string& bytes, const CClassRegistry* registry)
{
    CMemFile block(bytes);
    return LoadPrintout(block, registry);
}

std::string StoreReportBlock(CReportPrintout& printout)
{
    CMemFile block;
    {
        CArchive ar(block, CArchive::store);
        printout.Serialize(ar);
        ar.Flush();
    }
    return block.ToString();
}
