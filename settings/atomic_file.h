#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

namespace orx::settings {

// Puts the finished temporary file in the place of the target. The default renames it over
// the target; a test can stand in a step that fails.
using CommitStep = std::function<bool(const QString& temporary, const QString& target)>;
bool RenameOver(const QString& temporary, const QString& target);

// Replaces the file's content so that any failure or crash leaves either the old file, byte
// for byte, or the new one: the bytes go to a temporary file beside it, are flushed and
// synced, and only then renamed over it. False when any step failed; the temporary is then
// gone. After a success, temporaries of this naming that a killed run left are removed.
bool ReplaceFileContent(const QString& path, const QByteArray& bytes,
                        const CommitStep& commit = RenameOver);

// The name pattern of this program's temporary files for `path`.
QString TemporaryFilePattern(const QString& path);

}  // namespace orx::settings
