// Every reader's round trip (ReaderRoundTrip.h): the input goes to the reader the program
// chooses for it (a data document by its head; a native binary file, labelled text or a
// predecessor sheet by its kind), and what was opened is saved, opened again and saved again.
// An input refused with a message is done with; one that opens must save to a document that
// reopens without a word and saves to the same text. Byte 40 sets the shape code the
// predecessor sheet may use; the file override is always on, so that a document is saved in
// its own unit system. What was opened is held as its document gives it back, and the
// structures reopened hold its values, every one to the last bit.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "FuzzSupport.h"
#include "ReaderRoundTrip.h"
#include "files/legacy/LabelledTextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ResetFuzzGlobals(static_cast<std::uint8_t>((size > 40 ? data[40] : 0) | 1));
    SetSectionLabelPrompt(nullptr);
    const roundtrip::Result r =
        roundtrip::RoundTripBytes(FuzzDtd(), std::span<const std::uint8_t>(data, size));
    if (r.outcome == roundtrip::Outcome::Failed) {
        std::fprintf(stderr, "round trip failed: %s\nfirst save:\n%s\nsecond save:\n%s\n", r.failure.c_str(), r.first.c_str(), r.second.c_str());
        std::abort();
    }
    return 0;
}
