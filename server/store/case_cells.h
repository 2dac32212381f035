#pragma once
// Result cells as the office user reads them. The case list sorts date columns by
// reading them back in the user's locale and with the month first, and amount columns
// as numbers (thousands separators allowed), so the forms below are ones it reads:
//
//   dates    "3/14/2024", or "3/14/2024 4:15 PM" when the time of day is not midnight;
//            no date, or one that is not a valid date, is an empty cell
//   amounts  "12,345.60", two decimals; no amount is an empty cell
//   yes/no   "Yes" or "No"
//   codes    link statuses, the child group and the audit source and type by name; an
//            unknown code, and every other integer field, as its decimal number

#include "codec/date_time.h"
#include "server/store/case_fields.h"

#include <cstdint>
#include <string>

class CStatement;

std::string DateCell(const CDateTime& value);
std::string AmountCell(double value);
std::string CodeCell(CellFormat format, int64_t value);

// The cell of result column `index` of the statement's current row.
std::string ReadCell(const CStatement& statement, int index, CellFormat format);
