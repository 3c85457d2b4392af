// Document files: the host's state (interface language, tool, the open document) as
// JSON. docs/documents.md describes the format.
//
// Loading checks everything before it changes anything: a malformed file is refused
// with one message "PLACE: PROBLEM", the place written as a path into the file
// ("stories[0].anchors[1].at"), and the host keeps what it had.
#pragma once

#include <string>
#include <string_view>

#include "host/memory_host.h"

namespace tarnik::host {

bool LoadDocumentText(std::string_view json, MemoryHost& host, std::string& error);
std::string SaveDocumentText(const MemoryHost& host);

bool LoadDocumentFile(const std::string& path, MemoryHost& host, std::string& error);
// Saves through the one safe save (tarnik/safe_save.h), so a failed save leaves
// the old file whole and `error` says why.
bool SaveDocumentFile(const std::string& path, const MemoryHost& host, std::string& error);

}  // namespace tarnik::host
