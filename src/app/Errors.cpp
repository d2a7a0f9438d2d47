#include "app/Errors.h"

#include "app/Messages.h"

void reportSharedFolderConflict(const FileError& conflict) {
    Msg::warning(dynamic_cast<const CardChanged*>(&conflict) ? kCardChanged : kArchiveBusy);
}
