// One installer at a time on a computer.
#ifndef TALVIREX_SINGLE_RUN_H
#define TALVIREX_SINGLE_RUN_H

// Takes the installers' name for this process until it ends; 0 when another
// run, of this user or another, holds it already.
int ClaimSingleRun();

#endif
