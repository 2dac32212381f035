#pragma once
// How the liveness probe reads a failed readiness check or a failed one-byte peek.
// The probe's rules were written against the Windows Sockets error codes; the table in
// socket_errors.cpp lists each of those codes beside its POSIX errno equivalent, so the
// rules stay visible in one place.

enum class PeekVerdict {
    dead,    // the connection is unusable
    alive,   // the failure says nothing against the connection
    noData,  // the peek would have blocked: read it as "0 bytes" and decide by readiness
};

struct SocketErrorRule {
    int windowsCode;        // the Windows Sockets code the rule was written for
    int posixErrno;         // its POSIX equivalent
    bool deadInWait;        // a readiness check failing with it means the connection is dead
    PeekVerdict peekVerdict;  // what a peek failing with it means
};

// The rule for an errno value, or nullptr when the table does not list it.
const SocketErrorRule* FindSocketErrorRule(int posixErrno);

// A readiness check that failed with this errno means the connection is dead.
bool IsDeadAfterWaitError(int posixErrno);

// What a peek that failed with this errno means; errno values outside the table say
// nothing against the connection.
PeekVerdict ClassifyPeekError(int posixErrno);
