#ifndef OBTMIRROR_FILES_PROCESS_SIGNALS_H_
#define OBTMIRROR_FILES_PROCESS_SIGNALS_H_

namespace files {

// What each program does first about signals:
// - An ending signal (Ctrl-C, kill, a closed terminal) removes the
//   unfinished outputs and then ends the program as the signal would have,
//   so its exit status still names the signal. One that the program was
//   started with ignored (nohup, a background job) stays ignored.
// - SIGPIPE and SIGXFSZ are ignored: a pipe or FIFO whose reader goes away,
//   or a file that outgrows the file-size limit, fails its next write like
//   any other, with a message, instead of ending the program without one
//   (and, for the limit, leaving the unfinished file).
// SIGKILL cannot be caught: after it, the unfinished file stays.
void SetUpProcessSignals();

}  // namespace files

#endif  // OBTMIRROR_FILES_PROCESS_SIGNALS_H_
