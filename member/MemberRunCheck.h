#pragma once
// What is checked of a member definition before a pushover is started: that it has a live load
// to raise, and which section it runs on when that is not the section the user is looking at.

#include <string>

class TStructureSlots;
struct TMemberDefinition;

inline constexpr const char* kMemberRunCaption = "Member Response";

// True when the live load of the definition is nothing: no axial load and a moment diagram of
// fewer than two points or of zero moments only.
bool HasNoLiveLoad(const TMemberDefinition& d);

// Before a member run. A definition without live load, or with a zone that names a structure
// other than a beam section (a membrane element), is refused with a message. When every
// zone uses one section and it is not the current one (a post-fire beam just made, say), the
// user is asked whether the member should run on the current section instead: Yes points every
// zone at it, No runs on the zones' section as it is, Cancel runs nothing. True when the run
// may start. A zone's section that cannot be analysed (no outline, or concrete that leaves a
// depth uncovered) is then named in one message and nothing runs.
bool PrepareMemberRun(const TStructureSlots& slots, TMemberDefinition& d);
