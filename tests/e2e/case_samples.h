#pragma once
// Cases for the end-to-end tests: a case with every field set (the server's opaque
// fields, null and odd dates, long and non-ASCII texts included), a plain case to work
// on, and the comparison of two cases field by field.

#include "records/audit_case.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class CObject;

// The demo parents: one that is linked directly, one that is not, and their children.
inline constexpr const char* kDirectParent = "Atlas Mutual Insurance";
inline constexpr const char* kUnlinkedParent = "Beacon Premium Audit Co.";
inline constexpr const char* kOtherParent = "Cedar Ridge Casualty";
inline constexpr const char* kAuditorChild = "Dana Whitfield";
inline constexpr const char* kReviewerChild = "Helen Brooks";

// Every field set; two seeds give two cases that differ in every field but the case
// number and the creation date, which the server decides.
CAuditCase FullCase(int seed);

// An unassigned case of the parent with the insured name and nothing else.
CAuditCase PlainCase(const std::string& insuredName, const std::string& parentName = kUnlinkedParent);

// The names of the fields in which the cases differ (doubles and dates bit for bit,
// the policy pages as a whole); empty when they are the same.
std::vector<std::string> CaseDifferences(const CAuditCase& expected, const CAuditCase& actual);

// A record's archive bytes.
std::string RecordBytes(const CObject& record);

// Whether two records have the same archive bytes; a failure tells where they part.
::testing::AssertionResult SameRecord(const CObject& expected, const CObject& actual);

// Today as a day number since 30 December 1899 (local time, with the time of day).
double Now();
