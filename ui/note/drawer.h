#pragma once
// The slide-away drawer: the bar button slides the note off to the right and back, 10 pixels
// per 10 ms tick, hiding the toolbar labels while it is out.
struct NoteProgram;

void OnBarButtonClick(NoteProgram& program);
void OnSlideOutTick(NoteProgram& program);
void OnSlideBackTick(NoteProgram& program);
