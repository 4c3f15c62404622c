#pragma once

#include <QFileDevice>
#include <QString>
#include <sys/types.h>

namespace iksa {

// Examinee records are health data, private to the examiner: the files the
// program creates are readable by their owner only and the directories it
// creates are closed to others. A file that replaces another takes over the
// replaced file's mode, owner and group instead, so that a clinic's
// group-shared folder stays shared. Nothing here touches a directory or a
// file that the program did not create.
constexpr mode_t privateFileMode = 0600;
constexpr mode_t privateDirectoryMode = 0700;

// Makes the directory `path`, whose parent exists, as a private directory.
// False with errno set when it cannot (EEXIST: there is one).
bool makePrivateDirectory(const QString& path);

// Makes `path` and its missing parents, each of them private. Directories
// that exist are left as they are. False when one cannot be made.
bool makePrivateDirectories(const QString& path);

// Creates the file `path`, which must not exist yet, as a private file and
// opens it with `flags` (O_RDWR, O_WRONLY; O_CLOEXEC is added). Returns the
// descriptor, or -1 with errno set.
int createPrivateFile(const QString& path, int flags);

// Gives the open file `fd`, written to replace `target`, the mode of
// `target` and, where the process may set them, its owner and group; when
// there is no `target` yet, the private mode. False when the mode cannot be
// set (owner and group are kept only where the system allows).
bool takeOverAttributes(int fd, const QString& target);

// The same for a QSaveFile or a temporary file that is open.
bool takeOverAttributes(QFileDevice& file, const QString& target);

} // namespace iksa
