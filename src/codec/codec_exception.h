#pragma once
// The one exception type of the encoding layers. It never leaves the object receive of
// a session; tools and file readers catch it and report its text.

#include <stdexcept>
#include <string>

class CCodecException : public std::runtime_error {
public:
    enum Cause {
        endOfFile,      // the data ended before an item was complete
        badClass,       // unknown class name, name too long, or an object of the wrong class
        badSchema,      // a stored schema number that the class does not accept
        badIndex,       // an object or class index that has not been given yet
        badFormat,      // a malformed block header, block body or ciphertext
        limitExceeded,  // a length, count or depth beyond what the input can hold
        ioError,        // the underlying file failed, or the stream is in the wrong mode
    };

    CCodecException(Cause cause, const std::string& what) : std::runtime_error(what), m_cause(cause) {}

    Cause GetCause() const { return m_cause; }

private:
    Cause m_cause;
};
