#pragma once
// The network library of the program (libcurl), started once for the whole
// run.

namespace tessaly::publish {

// Initialises libcurl once per process; later calls do nothing. The
// program's main calls it before any thread starts, since libcurl's own
// start-up is not safe to run beside other threads. The FTP upload and the
// update check call it too, so a caller that forgot still works. Throws
// std::runtime_error when the library cannot start.
void InitialiseNetwork();

}  // namespace tessaly::publish
