#pragma once
// The commands of the report menu and the shell's direct print, with their menu texts.

namespace ReportCommand {

enum Id : int {
    print = 57607,        // "&Print...": with the print dialog
    printDirect = 57608,  // the shell's print-to: silently, one copy
    printPreview = 57609,
    zoomIn = 33790,
    zoomOut = 33791,
    nextPage = 33792,
    previousPage = 33793,
    firstPage = 33794,
    lastPage = 33795,
    openFile = 32878,
    saveAsFile = 32879,
};

// The menu text of a command, or nullptr for one without a menu entry.
inline const char* MenuText(int id)
{
    switch (id) {
    case print: return "&Print...";
    case printPreview: return "Print Pre&view...";
    case zoomIn: return "Zoom &In";
    case zoomOut: return "Zoom &Out";
    case nextPage: return "&Next Page";
    case previousPage: return "P&revious Page";
    case firstPage: return "&First Page";
    case lastPage: return "&Last Page";
    case openFile: return "Op&en File...";
    case saveAsFile: return "&Save As File...";
    default: return nullptr;
    }
}

// The document name of a print from a view without a document.
inline constexpr const char* kDefaultDocumentName = "TDF Document";

}  // namespace ReportCommand
