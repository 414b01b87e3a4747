#pragma once

#include <QString>
#include <QStringList>

#include <sys/types.h>

#include <optional>
#include <vector>

namespace luma::bench {

// One process as /proc shows it. `started` (clock ticks after boot) tells a process from a later
// one that got the same pid.
struct ProcessEntry {
    pid_t pid = 0;
    pid_t parent = 0;
    QString name;  // the kernel's short name, at most 15 characters
    char state = '?';
    quint64 started = 0;

    bool zombie() const { return state == 'Z'; }
    QString describe() const;
};

// Every process of the machine.
std::vector<ProcessEntry> processTable();
std::optional<ProcessEntry> processEntry(pid_t pid);
// True when `entry`'s process still runs: neither gone, nor a zombie, nor replaced by another.
bool stillRuns(const ProcessEntry& entry);

// The children, grandchildren, ... of `root` in `table`.
std::vector<ProcessEntry> descendantsOf(pid_t root, const std::vector<ProcessEntry>& table);
// The first descendant of `root` called `name` that has not ended.
std::optional<ProcessEntry> runningDescendant(pid_t root, const QString& name);

// Processes started on the X server `display` (":N"): those whose environment names it, as every
// client started on it and everything those start inherit.
std::vector<ProcessEntry> processesOnDisplay(const QString& display);

// The most resident memory the process has had (VmHWM), in KiB; 0 when it cannot be read.
long peakResidentKib(pid_t pid);

// What the process's descriptors are open on, sorted, with the number of each socket, pipe or
// anonymous inode left out: "socket", "pipe", "anon_inode:[eventfd]", "/dev/null", ...
QStringList openFileKinds(pid_t pid);

// Where the process has come to in `path` through a descriptor it holds open on it (the file
// offset); nullopt when it holds none.
std::optional<qint64> offsetIn(pid_t pid, const QString& path);

// The pids holding an flock() or a POSIX lock on the file at `path`, as /proc/locks lists them.
std::vector<pid_t> lockHolders(const QString& path);

}  // namespace luma::bench
