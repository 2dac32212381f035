#include "casedlg/open_attachment_list.h"

#include <QFile>

void COpenAttachmentList::Add(QString path, std::unique_ptr<ShellProcess> process)
{
    entries_.emplace_back(std::move(path), std::move(process));
}

void COpenAttachmentList::Sweep()
{
    for (size_t i = entries_.size(); i-- > 0;) {
        auto& [path, process] = entries_[i];
        if (process && process->Running())
            continue;
        if (QFile::remove(path) || !QFile::exists(path))
            entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
    }
}
