#pragma once
// The beam search, from reading the data to good_pair.out: Select (every
// branch offers its candidates to one selector), Clone (each selector entry
// becomes a branch of the next beam; a branch that wins more than once is
// cloned), Chunk (each branch binds its pair type), until no branch offers
// anything. Progress goes to standard output; timings to timelog.out.

namespace murex {

// Runs the search and writes the reports; returns the exit status.
//
// good_pair.out is the result: when it cannot be created or written the run
// ends with "Error: Unable to write good_pair.out" (BEL, status 1) instead of
// "Done.". timelog.out and initial_status.out are reports on the side: when
// one cannot be created or written, "Warning: Unable to write <file>" goes to
// standard error once and the run goes on.
int run_search();

// Releases the process-wide objects (run parameters, good-pair list,
// canonical-label strategy, factory, evaluation functions) in the order the
// entry point uses; the next use of any of them starts from scratch.
void release_process_objects();

}  // namespace murex
