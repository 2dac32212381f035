#include "report/widgets/report_view_list_logic.h"

ReportPropsLogic::ReportPropsLogic(const CReportPropItem& item)
    : name(item.name), file(item.reportFile), settings(item.settings)
{
}

void ReportPropsLogic::ChooseFile(const std::string& newFile)
{
    if (newFile != file)
        stale = true;
    file = newFile;
}

std::optional<ReportPropsFailure> ReportPropsLogic::Validate() const
{
    if (file.empty())
        return ReportPropsFailure{ReportPropsFailure::file, kNoFile};
    if (name.empty())
        return ReportPropsFailure{ReportPropsFailure::name, kBlankName};
    return std::nullopt;
}

const std::string& ReportPropsLogic::SettingsForRequest()
{
    if (stale)
        settings.clear();
    return settings;
}

void ReportPropsLogic::SettingsReceived(std::string newSettings)
{
    settings = std::move(newSettings);
    stale = false;
}

CReportPropItem ReportPropsLogic::Item() const
{
    CReportPropItem item;
    item.name = name.substr(0, kMaxNameLength);
    item.reportFile = file;
    item.settings = stale ? std::string() : settings;
    return item;
}

bool ReportViewNameTaken(const ReportPropItems& views, const std::string& name, const CReportPropItem* except)
{
    for (const auto& view : views)
        if (view && view.get() != except && view->name == name)
            return true;
    return false;
}

std::optional<std::string> AddReportView(ReportPropItems& views, const ReportPropsLogic& props)
{
    const CReportPropItem item = props.Item();
    if (ReportViewNameTaken(views, item.name, nullptr))
        return std::string(ReportPropsLogic::kAddClash);
    views.push_back(std::make_shared<CReportPropItem>(item));
    return std::nullopt;
}

std::optional<std::string> EditReportView(ReportPropItems& views, size_t index, const ReportPropsLogic& props)
{
    if (index >= views.size() || !views[index])
        return std::nullopt;
    const CReportPropItem item = props.Item();
    if (ReportViewNameTaken(views, item.name, views[index].get()))
        return std::string(ReportPropsLogic::kEditClash);
    *views[index] = item;
    return std::nullopt;
}
