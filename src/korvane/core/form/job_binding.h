#pragma once
// Binds the typed job parts to the main window's components: the one place, besides
// the job-file codec, that looks a component up by its name.

#include "korvane/core/form/job_parts.h"

namespace korvane {

class FormModel;

JobModel BindJobModel(FormModel& form);
JobWindow BindJobWindow(FormModel& form);

// Both, looked up once for the life of the form.
struct BoundJob {
  explicit BoundJob(FormModel& form) : model(BindJobModel(form)), window(BindJobWindow(form)) {}
  JobModel model;
  JobWindow window;
};

}  // namespace korvane
