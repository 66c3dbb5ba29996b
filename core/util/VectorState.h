#pragma once

// Puts the vector registers' upper halves back in their clean state.
//
// Code elsewhere in the process (QtCore's string and settings routines among it) can leave
// the upper halves of the AVX registers in use. Until they are cleared, every switch
// between that state and the plain SSE code of this program (each call into the maths
// library's AVX routines, say) costs a state transition, and a loop of arc tangents runs
// ten times slower. Render loops call this where foreign code may have run since: at the
// start of each band of rows, and after pumping a progress display.
void ClearUpperVectorState();
