#pragma once
// The program-wide settings a document's readers may change before they accept or refuse it:
// those of any section read (SectionReadSettings: the unit system and resistance factors, the
// quick-define wizard's new-section flag, the outline of the section last recognised, the
// embedded-steel tables and the concrete-model options) and the member definition (each beam
// read brings its member; member settings are committed as read). Taken before a read; a
// refused document puts every one of them back, so that the document open before stays as it
// was.

#include "files/xml/SectionReadSettings.h"
#include "member/TMemberDefinition.h"

class DocumentReadScope {
public:
    // Takes the settings; with files overriding the program's settings, the read starts from
    // unit resistance factors, which the file may set.
    DocumentReadScope();
    // Puts every setting back as it was when the scope was taken.
    void Restore() const;

private:
    SectionReadSettings m_settings;
    TMemberDefinition m_member;
};
