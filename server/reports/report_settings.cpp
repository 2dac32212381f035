#include "server/reports/report_settings.h"

#include "codec/archive.h"
#include "codec/class_registry.h"
#include "codec/mem_file.h"
#include "records/orv_report_props.h"
#include "records/register_records.h"
#include "records/ui_dialog.h"
#include "server/reports/report_generator.h"
#include "server/reports/report_text.h"

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

namespace ReportSettings {
namespace {

enum class Kind { text, date, check, choice, radio, checkList };

struct Setting {
    int32_t id;
    Kind kind;
    const char* label;  // the caption of a check box, else the text left of the control
    std::string defaultText = {};
    int32_t defaultCheck = 0;
    std::vector<const char*> items = {};  // of a choice or radio buttons (the first is the default), of a check list
};

// The stages a Case Listing may list, by child group code.
const std::vector<const char*> kStages = {"Administrators", "Auditors", "Billers",   "Exporters", "Importers",
                                          "Printers",       "Reviewers", "Schedulers", "Archive"};
constexpr int32_t kAllStages = 0x1FF;

struct Form {
    const char* file;
    const char* caption;
    std::vector<Setting> settings;
};

// The title setting shows the report's own title until it is changed.
Setting Title(const char* reportFile)
{
    return {kTitleId, Kind::text, "Report title:", ReportGenerator::OwnTitle(reportFile)};
}
const Setting kCreatedFrom{kCreatedFromId, Kind::date, "Created from:"};
const Setting kCreatedTo{kCreatedToId, Kind::date, "Created up to:"};

const std::vector<Form>& Forms()
{
    static const std::vector<Form> forms = {
        {ReportFiles::kCaseListing,
         "Case Listing Settings",
         {Title(ReportFiles::kCaseListing), kCreatedFrom, kCreatedTo,
          {kIncludeClosedId, Kind::check, "Include completed and archived cases", "", 1},
          {kOrderById, Kind::radio, "Order cases by:", "", 0, {kByCaseNumber, kByInsuredName}},
          {kStagesId, Kind::checkList, "Stages to list:", "", kAllStages, kStages}}},
        {ReportFiles::kDueDateAging,
         "Due Date Aging Settings",
         {Title(ReportFiles::kDueDateAging),
          {kAgeAsOfId, Kind::date, "Age as of:"},
          {kAgeFromId, Kind::choice, "Count days from:", "", 0, {kAuditorDueDate, kMasterDueDate}},
          {kListBracketCasesId, Kind::check, "List the cases of each age bracket", "", 1}}},
        {ReportFiles::kCaseDetail,
         "Case Detail Settings",
         {Title(ReportFiles::kCaseDetail), kCreatedFrom, kCreatedTo, {kPrintMemoId, Kind::check, "Print the memo", "", 1},
          {kPrintPolicyPagesId, Kind::check, "Print the policy detail pages", "", 1}}},
    };
    return forms;
}

const Form* FormOf(const std::string& file)
{
    for (const Form& form : Forms())
        if (file == form.file)
            return &form;
    return nullptr;
}

// One value per setting, by control id.
struct Value {
    std::string text;                 // text and choice
    std::optional<int64_t> day;       // date
    int32_t check = 0;                // check box
};
using Values = std::map<int32_t, Value>;

Values DefaultValues(const Form& form)
{
    Values values;
    for (const Setting& setting : form.settings) {
        Value& value = values[setting.id];
        value.text = setting.kind == Kind::choice || setting.kind == Kind::radio ? setting.items.front()
                                                                                 : setting.defaultText;
        value.check = setting.defaultCheck;
    }
    return values;
}

// --- The dialog ---------------------------------------------------------------------
// Dialog units. The client puts OK and Cancel at the right edge, 55 units wide.
constexpr int32_t kWidth = 250;
constexpr int32_t kMargin = 7;
constexpr int32_t kLabelRight = 75;
constexpr int32_t kControlLeft = 78;
constexpr int32_t kControlRight = 188;
constexpr int32_t kRowHeight = 18;
constexpr int32_t kControlHeight = 12;
constexpr int32_t kLabelHeight = 8;
constexpr int32_t kMinHeight = 44;  // room for OK and Cancel
constexpr int32_t kStaticId = -1;
// Child window, shown, tab stop, automatic check box.
constexpr int32_t kCheckBoxStyle = 0x50010003;
// Automatic radio buttons; the first of a group has the group and tab-stop bits.
constexpr int32_t kRadioStyle = 0x50000009;
constexpr int32_t kFirstRadioStyle = 0x50030009;
constexpr int32_t kListHeight = 60;

int32_t RadioId(const Setting& setting, size_t item)
{
    return setting.id * 10 + static_cast<int32_t>(item);
}

// An edit control that scrolls its text sideways.
constexpr int32_t kTextStyle = CUIControl::kEditStyle | 0x80;

CDateTime DateOfDay(const std::optional<int64_t>& day)
{
    return day ? CDateTime{CDateTime::valid, static_cast<double>(*day)} : kNullDate;
}

// Radio buttons one under the other after their label, the first one starting the
// group; the chosen one is checked. Returns the top of the next row.
int32_t AddRadioButtons(CUIDialog& dialog, const Setting& setting, const Value& value, int32_t top)
{
    auto label = std::make_shared<CUIStaticControl>();
    label->text = setting.label;
    label->rect = {kMargin, top + 2, kLabelRight, top + 2 + kLabelHeight};
    label->controlId = kStaticId;
    dialog.controls.push_back(label);
    for (size_t i = 0; i < setting.items.size(); ++i) {
        auto button = std::make_shared<CUIButtonControl>();
        button->style = i == 0 ? kFirstRadioStyle : kRadioStyle;
        button->text = setting.items[i];
        button->checkState = value.text == setting.items[i] ? 1 : 0;
        button->rect = {kControlLeft, top, kControlRight, top + kControlHeight};
        button->controlId = RadioId(setting, i);
        dialog.controls.push_back(button);
        top += kControlHeight + 2;
    }
    return top + kRowHeight - kControlHeight - 2;
}

CUIDialog BuildDialog(const Form& form, const Values& values)
{
    CUIDialog dialog;
    dialog.title = form.caption;
    dialog.width = kWidth;
    int32_t top = kMargin;
    for (const Setting& setting : form.settings) {
        const Value& value = values.at(setting.id);
        const CUIControl::Rect field{kControlLeft, top, kControlRight, top + kControlHeight};
        if (setting.kind == Kind::radio) {
            top = AddRadioButtons(dialog, setting, value, top);
            continue;
        }
        if (setting.kind != Kind::check) {
            auto label = std::make_shared<CUIStaticControl>();
            label->text = setting.label;
            label->rect = {kMargin, top + 2, kLabelRight, top + 2 + kLabelHeight};
            label->controlId = kStaticId;
            dialog.controls.push_back(label);
        }
        std::shared_ptr<CUIControl> control;
        switch (setting.kind) {
        case Kind::text: {
            auto edit = std::make_shared<CUIEditControl>();
            edit->style = kTextStyle;
            edit->text = value.text;
            control = edit;
            break;
        }
        case Kind::date: {
            auto date = std::make_shared<CUIDateEditControl>();
            date->date = DateOfDay(value.day);
            date->text = value.day ? ReportText::DateOfDay(*value.day) : std::string();
            control = date;
            break;
        }
        case Kind::check: {
            auto box = std::make_shared<CUIButtonControl>();
            box->style = kCheckBoxStyle;
            box->text = setting.label;
            box->checkState = value.check;
            control = box;
            break;
        }
        case Kind::radio: break;  // added above
        case Kind::checkList: {
            auto list = std::make_shared<CUICheckListBoxControl>();
            list->style = CUIControl::kChildVisibleStyle;
            for (size_t i = 0; i < setting.items.size(); ++i) {
                list->items.emplace_back(setting.items[i]);
                list->checkStates.push_back((value.check >> i & 1) != 0 ? 1 : 0);
                list->itemData.push_back(static_cast<int32_t>(i));
            }
            control = list;
            break;
        }
        case Kind::choice: {
            auto list = std::make_shared<CUIComboBoxControl>();
            list->style = CUIControl::kChildVisibleStyle;
            list->items.assign(setting.items.begin(), setting.items.end());
            list->text = value.text;
            control = list;
            break;
        }
        }
        control->rect = setting.kind == Kind::check ? CUIControl::Rect{kMargin, top, kControlRight, top + kControlHeight}
                                                    : field;
        if (setting.kind == Kind::checkList)
            control->rect.bottom = top + kListHeight;
        control->controlId = setting.id;
        dialog.controls.push_back(control);
        top += setting.kind == Kind::checkList ? kListHeight + kRowHeight - kControlHeight : kRowHeight;
    }
    dialog.height = std::max(kMinHeight, top);
    return dialog;
}

// --- Reading values back --------------------------------------------------------------
template <class Control>
const Control* FindControl(const CUIDialog& dialog, int32_t id)
{
    for (const auto& control : dialog.controls)
        if (control && control->controlId == id)
            return dynamic_cast<const Control*>(control.get());
    return nullptr;
}

bool Refuse(std::string& error, std::string reason)
{
    error = std::move(reason);
    return false;
}

bool ReadDay(const CDateTime& date, std::optional<int64_t>& day)
{
    if (date.status == CDateTime::null) {
        day.reset();
        return true;
    }
    if (date.status != CDateTime::valid)
        return false;
    day = ReportText::DayOf(date);
    // The zero date stands for no date; any other date must be one the reports can print.
    return day.has_value() || date.date == 0.0;
}

bool ReadValues(const Form& form, const CUIDialog& dialog, Values& values, std::string& error)
{
    values.clear();
    for (const Setting& setting : form.settings) {
        Value& value = values[setting.id];
        const std::string where = std::string("\"") + setting.label + "\" (control " + std::to_string(setting.id) + ")";
        switch (setting.kind) {
        case Kind::text: {
            const auto* edit = FindControl<CUIEditControl>(dialog, setting.id);
            if (!edit)
                return Refuse(error, "no edit control for " + where);
            if (edit->text.size() > kMaxTitleLength)
                return Refuse(error, where + " is longer than " + std::to_string(kMaxTitleLength) + " characters");
            if (std::any_of(edit->text.begin(), edit->text.end(), [](char c) {
                    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
                }))
                return Refuse(error, where + " holds control characters");
            value.text = edit->text;
            break;
        }
        case Kind::date: {
            const auto* date = FindControl<CUIDateEditControl>(dialog, setting.id);
            if (!date)
                return Refuse(error, "no date control for " + where);
            if (!ReadDay(date->date, value.day))
                return Refuse(error, where + " is not a valid date");
            break;
        }
        case Kind::check: {
            const auto* box = FindControl<CUIButtonControl>(dialog, setting.id);
            if (!box)
                return Refuse(error, "no check box for " + where);
            if (box->checkState != 0 && box->checkState != 1)
                return Refuse(error, where + " has the check state " + std::to_string(box->checkState));
            value.check = box->checkState;
            break;
        }
        case Kind::radio: {
            value.text.clear();
            for (size_t i = 0; i < setting.items.size(); ++i) {
                const auto* button = FindControl<CUIButtonControl>(dialog, RadioId(setting, i));
                if (!button)
                    return Refuse(error, "no radio button " + std::to_string(RadioId(setting, i)) + " for " + where);
                if (button->checkState == 1) {
                    if (!value.text.empty())
                        return Refuse(error, where + " has more than one choice");
                    value.text = setting.items[i];
                }
            }
            if (value.text.empty())
                value.text = setting.items.front();
            break;
        }
        case Kind::checkList: {
            const auto* list = FindControl<CUICheckListBoxControl>(dialog, setting.id);
            if (!list)
                return Refuse(error, "no check list for " + where);
            if (list->items.size() != setting.items.size() || list->checkStates.size() != setting.items.size())
                return Refuse(error, where + " does not hold its " + std::to_string(setting.items.size()) + " items");
            value.check = 0;
            for (size_t i = 0; i < setting.items.size(); ++i) {
                if (list->checkStates[i] != 0 && list->checkStates[i] != 1)
                    return Refuse(error, where + " has the check state " + std::to_string(list->checkStates[i]));
                value.check |= list->checkStates[i] << i;
            }
            break;
        }
        case Kind::choice: {
            const auto* list = FindControl<CUIComboBoxControl>(dialog, setting.id);
            if (!list)
                return Refuse(error, "no drop-down list for " + where);
            if (list->text.empty()) {
                value.text = setting.items.front();
                break;
            }
            if (std::none_of(setting.items.begin(), setting.items.end(),
                             [&](const char* item) { return list->text == item; }))
                return Refuse(error, where + " holds \"" + list->text + "\", which is none of its items");
            value.text = list->text;
            break;
        }
        }
    }
    const auto from = values.find(kCreatedFromId);
    const auto to = values.find(kCreatedToId);
    if (from != values.end() && to != values.end() && from->second.day && to->second.day &&
        *from->second.day > *to->second.day)
        return Refuse(error, "the first creation date lies after the last");
    return true;
}

// --- Settings bytes -------------------------------------------------------------------
// The record classes, for the dialog and its controls inside the settings.
const CClassRegistry& Registry()
{
    static CClassRegistry classes;
    static const bool registered = (RegisterRecordClasses(classes), true);
    (void)registered;
    return classes;
}

std::string Store(const Form& form, const Values& values)
{
    CORVReportProps props;
    props.texts[0] = form.file;
    props.numbers[0] = kSettingsVersion;
    props.objects.push_back(std::make_shared<CUIDialog>(BuildDialog(form, values)));
    CMemFile file;
    {
        CArchive archive(file, CArchive::store);
        props.Serialize(archive);
        archive.Flush();
    }
    return file.ToString();
}

// The values the bytes hold for the form; nothing when they hold none.
std::optional<Values> Load(const Form& form, const std::string& settings)
{
    if (settings.empty())
        return std::nullopt;
    CORVReportProps props;
    try {
        CMemFile file(settings);
        CArchive archive(file, CArchive::load, CArchive::kDefaultBufferSize, &Registry());
        props.Serialize(archive);
    } catch (...) {
        return std::nullopt;
    }
    if (props.texts[0] != form.file || props.numbers[0] != kSettingsVersion || props.objects.empty())
        return std::nullopt;
    const auto* dialog = dynamic_cast<const CUIDialog*>(props.objects.front().get());
    Values values;
    std::string error;
    if (!dialog || !ReadValues(form, *dialog, values, error))
        return std::nullopt;
    return values;
}

}  // namespace

std::string Defaults(const std::string& reportFile)
{
    const Form* form = FormOf(reportFile);
    return form ? Store(*form, DefaultValues(*form)) : std::string();
}

bool Holds(const std::string& reportFile, const std::string& settings)
{
    const Form* form = FormOf(reportFile);
    return form && Load(*form, settings).has_value();
}

bool Dialog(const std::string& reportFile, const std::string& settings, CUIDialog& dialog)
{
    const Form* form = FormOf(reportFile);
    if (!form)
        return false;
    dialog = BuildDialog(*form, Load(*form, settings).value_or(DefaultValues(*form)));
    return true;
}

bool FromDialog(const std::string& reportFile, const CUIDialog& edited, std::string& settings, std::string& error)
{
    const Form* form = FormOf(reportFile);
    if (!form)
        return Refuse(error, "unknown report file " + reportFile);
    Values values;
    if (!ReadValues(*form, edited, values, error))
        return false;
    settings = Store(*form, values);
    return true;
}

bool Apply(const std::string& reportFile, const std::string& settings, CReportContext& context)
{
    const Form* form = FormOf(reportFile);
    if (!form)
        return false;
    const std::optional<Values> values = Load(*form, settings);
    if (!values)
        return false;
    for (const auto& [id, value] : *values) {
        switch (id) {
        case kTitleId: context.title = value.text; break;
        case kCreatedFromId: context.createdFrom = value.day; break;
        case kCreatedToId: context.createdTo = value.day; break;
        case kIncludeClosedId: context.includeClosed = value.check != 0; break;
        case kOrderById: context.orderByInsuredName = value.text == kByInsuredName; break;
        case kStagesId: context.stages = static_cast<uint32_t>(value.check); break;
        case kAgeAsOfId:
            if (value.day)
                context.today = *value.day;
            break;
        case kAgeFromId: context.ageByMasterDueDate = value.text == kMasterDueDate; break;
        case kListBracketCasesId: context.listBracketCases = value.check != 0; break;
        case kPrintMemoId: context.printMemo = value.check != 0; break;
        case kPrintPolicyPagesId: context.printPolicyPages = value.check != 0; break;
        default: break;
        }
    }
    return true;
}

}  // namespace ReportSettings
