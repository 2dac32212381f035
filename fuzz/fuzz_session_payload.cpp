// Decodes arbitrary bytes as the payload of an object receive: deciphering when the
// session is enciphered, expanding, and loading a string or binary record, under the
// bound on archive size that the server sets. It must fail cleanly, never throw.
// The first input byte chooses: bit 0 enciphered, bit 1 a binary record.
#include "codec/binary_object.h"
#include "codec/mem_file.h"
#include "codec/string_object.h"
#include "net/server_session.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    CServerSession session;
    SessionLimits limits;
    limits.maxObjectBytes = 1 << 20;
    session.SetLimits(limits);
    if (data[0] & 1)
        session.EnableEncryption();

    CMemFile payload(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    if (data[0] & 2) {
        CBinaryObject record;
        session.DecodePayload(payload, record);
    } else {
        CStringObject record;
        session.DecodePayload(payload, record);
    }
    return 0;
}
