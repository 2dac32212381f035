#pragma once
// Creating an administrator account from the command line (--add-admin).

#include "server/account_store.h"

#include <cstdio>
#include <string>

// Reads one line from the stream (the terminal's echo off when it is one) without its
// line end. False at end of input or for a line longer than kMaxPasswordLength.
bool ReadPasswordLine(std::FILE* in, std::string& password);

// Adds a child account of the administrators' group with its rights, named
// "Administrator" (or "Administrator (USERID)" when that name is taken). False, with a
// reason, when the password is empty, the user id is taken, or the store failed.
bool AddAdministrator(CAccountStore& accounts, const std::string& userId, const std::string& password,
                      int hashIterations, std::string& error);
