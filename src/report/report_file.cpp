#include "report/report_file.h"

#include "codec/archive.h"
#include "codec/class_registry.h"
#include "codec/codec_exception.h"
#include "codec/file_stream.h"
#include "codec/mem_file.h"
#include "codec/ox_compressed_file.h"
#include "report/report_classes.h"
#include "report/report_printout.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <system_error>

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

std::string SaveReportFile(CReportPrintout& printout, const std::string& path)
{
    const std::string partial = path + ".saving";
    CFileStream file;
    if (!file.Open(partial, CFileStream::modeWrite))
        return ReportFile::kErrorCreating;
    std::string message;
    try {
        WriteReportStream(printout, file);
        file.Close();
    } catch (const std::exception& error) {
        message = Message(error);
    }
    if (message.empty()) {
        std::error_code renamed;
        std::filesystem::rename(partial, path, renamed);
        if (!renamed)
            return "";
        message = ReportFile::kErrorCreating;
    }
    try {
        file.Close();
    } catch (const CCodecException&) {
        // Already failing; the first message is the one reported.
    }
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);
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
