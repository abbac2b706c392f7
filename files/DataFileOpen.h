#pragma once
// Opening a data file: an XML document (its first 19 characters are <?xml version="1.0")
// yields one structure per component; any other file is a beam section of an older kind,
// read through TBeam::Load.

#include <memory>
#include <string>
#include <vector>

class TStructure;

// Opens the file into structures (component n of an XML document at index n; the section of
// an older file at index 0). Returns 1 when everything was read, 0 otherwise; the structures
// made stay in the list whatever the result.
int OpenDataFile(const std::string& path, std::vector<std::unique_ptr<TStructure>>& structures);

// The XML branch, given the document's text: every component into a new structure at its
// index. Returns 1 when every component was read.
int LoadXmlDocument(const std::string& text, std::vector<std::unique_ptr<TStructure>>& structures);

// The XML branch for one structure: the k-th (from 1) component of the structure's own root
// element (q3g_beam, p3g_shell) read into it. 0 when the document has no such component.
int ReadXmlStructureElement(const std::string& text, int k, TStructure& structure);
