// The subcommands. Each takes the arguments after its name and returns the
// process's exit status; messages go to standard error as the editor's
// message boxes would show them.
#pragma once

#include <string>
#include <vector>

using Arguments = std::vector<std::string>;

int RunInfo(const Arguments& args);
int RunCut(const Arguments& args);
int RunRender(const Arguments& args);
int RunExport(const Arguments& args);
int RunImport(const Arguments& args);
int RunAttrs(const Arguments& args);
int RunStamps(const Arguments& args);
int RunThumbnail(const Arguments& args);
int RunRules(const Arguments& args);

extern const char* const kInfoHelp;
extern const char* const kCutHelp;
extern const char* const kRenderHelp;
extern const char* const kExportHelp;
extern const char* const kImportHelp;
extern const char* const kAttrsHelp;
extern const char* const kStampsHelp;
extern const char* const kThumbnailHelp;
extern const char* const kRulesHelp;
