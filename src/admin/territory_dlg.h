#pragma once
// "Territory": the territory's name, its billing code and the "Zip Codes" and "Counties"
// grids. A column of zip codes (or county and state columns) copied from a spreadsheet
// can be pasted into a grid; a zip code or county already listed is refused with a
// message and nothing of that paste is added.

#include <QDialog>

class CTerritorySheetState;
class QLineEdit;
class QSpinBox;
class QTableWidget;
class UserPrompts;

class CTerritoryDlg : public QDialog {
    Q_OBJECT
public:
    CTerritoryDlg(CTerritorySheetState& state, UserPrompts& prompts, QWidget* parent = nullptr);

    // Adds the pasted text to a grid (true when it was added).
    bool PasteZipCodes(const QString& text);
    bool PasteCounties(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LoadGrids();
    void Confirm();
    // The grids' rows back into the record (typed cells included); false with a message
    // when a typed zip code or county repeats another.
    bool StoreGrids();

    CTerritorySheetState& m_state;
    UserPrompts& m_prompts;
    QLineEdit* m_name = nullptr;
    QSpinBox* m_billingCode = nullptr;
    QTableWidget* m_zips = nullptr;
    QTableWidget* m_counties = nullptr;
};
