#pragma once
// The application object. It keeps the process's argument vector exactly as the
// program received it, before Qt takes its own options out, because the task options
// are read from that and not from Qt's parsed form.

#include "app/task_params.h"

#include <QApplication>

#include <string>
#include <vector>

inline constexpr char kApplicationTitle[] = "Orvenna Office Client";

namespace orv_app_detail {
// Copies the arguments before QApplication's constructor sees them.
struct ProcessArguments {
    ProcessArguments(int argc, char** argv);
    std::vector<std::string> received;
};
}  // namespace orv_app_detail

class COrvennaOCApp : private orv_app_detail::ProcessArguments, public QApplication {
public:
    COrvennaOCApp(int& argc, char** argv);

    // The arguments as received, the program's own name first.
    const std::vector<std::string>& RawArguments() const { return received; }

    // Fills `params` from the raw arguments and returns the task kind (see task_params.h).
    TaskKind ParseTaskArgs(CTaskParams& params) const;
};
