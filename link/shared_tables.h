#pragma once
// The process-wide tables in one piece: what the link learns, what commands ask of
// it, what the windows flag to each other, the program memory and its editor model,
// and the event hub. The program that runs owns one and hands it over whole; the
// link core itself takes only the references it needs (LinkTables). About 300 KB:
// keep it on the heap.

#include "link/controller_link.h"
#include "link/link_events.h"
#include "link/link_state.h"
#include "link/register_image.h"
#include "program/editor_model.h"
#include "program/program_image.h"

namespace bus {

struct SharedTables {
  RegisterImage regs;
  LinkShared shared;
  ViewFlags flags;
  program::ProgramImage image{};
  program::EditorModel model;
  // What the link tells; the windows listen here whether or not a link is open.
  LinkEvents events;

  LinkTables ForLink() { return {regs, shared, image, model, events}; }
};

}  // namespace bus
