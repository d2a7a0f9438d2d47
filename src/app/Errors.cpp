#include "app/Errors.h"

#include "app/Messages.h"

void reportSharedFolderConflict(const FileError& conflict) {
    Msg::warning(dynamic_cast<const CardChanged*>(&conflict) ? kCardChanged : kArchiveBusy);
}

void reportBadFile(const BadFile& bad) {
    Msg::error(kBadFile.arg(bad.fileName()));
}
