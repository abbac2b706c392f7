// The data-document reader's round trip (ReaderRoundTrip.h), for any text, whatever its head:
// a text the reader refuses with a message is done with; what it takes is saved in the
// document's own unit system (the file override on), opened again without a word, saved again
// to the same text. What was read is held as its document gives it back, and the structures
// reopened hold its values, every one to the last bit.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzSupport.h"
#include "ReaderRoundTrip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ResetFuzzGlobals(1);
    const std::string text(reinterpret_cast<const char*>(data), size);
    const roundtrip::Result r = roundtrip::RoundTripDocument(FuzzDtd(), text);
    if (r.outcome == roundtrip::Outcome::Failed) {
        std::fprintf(stderr,
                     "round trip failed: %s\nfirst save:\n%s\nsecond save:\n%s\n",
                     r.failure.c_str(),
                     r.first.c_str(),
                     r.second.c_str());
        std::abort();
    }
    return 0;
}
