#pragma once
// The file attachments opened in a viewer: each temporary file with the viewer's
// process. A file is deleted once its viewer has ended, at the next sweep; files whose
// viewer still runs, or that cannot be deleted yet, stay listed.

#include "platform/shell_launcher.h"

#include <QString>

#include <memory>
#include <utility>
#include <vector>

class COpenAttachmentList {
public:
    void Add(QString path, std::unique_ptr<ShellProcess> process);
    // Goes through the list from its end, deleting the files whose viewer has ended.
    void Sweep();
    size_t Size() const { return entries_.size(); }

private:
    std::vector<std::pair<QString, std::unique_ptr<ShellProcess>>> entries_;
};
