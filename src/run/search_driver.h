#pragma once
// The beam search, from reading the data to good_pair.out: Select (every
// branch offers its candidates to one selector), Clone (each selector entry
// becomes a branch of the next beam; a branch that wins more than once is
// cloned), Chunk (each branch binds its pair type), until no branch offers
// anything. Progress goes to standard output; timings to timelog.out.

namespace murex {

// Runs the search and writes the reports; returns the exit status.
int run_search();

}  // namespace murex
