#pragma once
// Case import (IMPORTCASES): a text file of cases, one per line, parsed by the server.
//
// Format. Lines end in LF or CR LF; empty lines and lines starting with '#' are skipped.
// The first other line is the header: case field tokens ("[InsuredName]") separated by
// tabs, naming the columns. Every further line is one case with its values in the
// header's order, separated by tabs; missing trailing values keep the field's default.
// Values: texts as they are; dates as MM/DD/YYYY (empty for no date); integer codes as
// decimal numbers; yes/no fields as Y, Yes, TRUE or 1 and N, No, FALSE or 0 (any letter
// case); amounts as decimal numbers with a point; an empty value keeps the field's
// default. [IsProductive] N marks an unproductive audit. The case number and creation date are the server's; each case gets a new
// number. A line without an insured name, with a value that does not read, or with more
// values than the header is refused and the others go on.
//
// Result lines: one per case line, "Line N: created case NUMBER" or "Line N: " and why
// it was refused; then "N case(s) imported successfully" when no line was refused, or
// "N case(s) imported, M line(s) refused". A file without a header line, or with a
// token the import does not know, imports nothing and says why. At most
// kMaxImportLines case lines are read; the rest count as one refused line.

#include "server/database.h"
#include "server/session_user.h"
#include "server/store/case_store.h"

#include <string>
#include <vector>

// The most case lines one import reads; the lines after them are not imported.
inline constexpr int kMaxImportLines = 100000;

// The header tokens the import reads, in the case field catalogue's spelling.
std::vector<std::string> ImportableTokens();

std::vector<std::string> ImportCases(CDatabase& database, CCaseStore& cases, const SessionUser& user,
                                     const std::string& file);
