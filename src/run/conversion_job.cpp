// The road of a conversion run: the files, the mirror inputs, the points,
// the triangles and the status line, in that order. The steps it takes
// lie beside it: job_files, job_points, triangle_reading, job_triangles
// and job_output_lists.

#include "run/conversion_job.h"

#include <new>

#include "mirror/copy_plan.h"
#include "mirror/mirror_centre.h"
#include "run/status_texts.h"
#include "work/scope_exit.h"

namespace run {

ConversionJob::ConversionJob(obt::PendingIoError& pending)
    : pending_(pending), source_(pending), target_(pending) {}

RunResult ConversionJob::RunConversionJob(const work::RunInputs& inputs,
                                          work::Feedback& feedback) {
  source_status_ = 0;
  target_status_ = 0;
  file_name_failure_ = {};
  OpenJobFiles(inputs);
  if (source_status_ != 0 || target_status_ != 0) {
    const RunResult result =
        source_status_ == 3 ? RunResult::kNotObt : RunResult::kFileNameError;
    feedback.SetStatusText(StatusText(result));
    return result;
  }
  // From here both files are open; whatever ends the run early closes them
  // and leaves the target as it was.
  const work::ScopeExit close_files([this] { CloseFilesQuietly(); });

  const auto refuse = [&feedback](RunResult result) {
    feedback.SetStatusText(StatusText(result));
    return result;
  };

  if (!mirror::ReadMirrorCentre(inputs.centre_x_text, inputs.centre_y_text,
                                inputs.centre_z_text, mirror_.centre)) {
    return refuse(RunResult::kInvalidCentre);
  }
  mirror::ReadSourceOctant(inputs.source_octant_checked, mirror_.source_octant);
  mirror_.target_mask = mirror::ReadTargetMask(inputs.target_octant_checked);
  mirror_.plan =
      mirror::BuildCopyPlan(mirror_.source_octant, mirror_.target_mask);

  // The copies are made as they are written, and only the source's entries
  // take memory.
  PointFields fields;
  if (!ReadPoints(fields, feedback)) {
    return refuse(RunResult::kObjectTooLarge);
  }
  if (point_count_ > 0) feedback.SetGaugeProgress(67);
  // The triangles may be read on a helper thread while the points are
  // staged and written; their gauge steps and the errors they leave come
  // where they would without it, after the points.
  // A run that ends early has its answer already: what the helper threw
  // then is dropped.
  const work::ScopeExit stop_reading([this] {
    try {
      StopReadingTriangles();
    } catch (...) {
    }
  });
  StartReadingTriangles();
  OutputList points = Replicated(point_count_);
  if (result_stage_ != nullptr) {
    // A stage that finds no memory for its own tables refuses the run as
    // the tables themselves would.
    try {
      points =
          Staged(points, result_stage_->AfterPoints(mirror_.plan, point_count_,
                                                    tables_.points()));
    } catch (const std::bad_alloc&) {
      return refuse(RunResult::kObjectTooLarge);
    }
  }
  WritePoints(points, fields, feedback);

  feedback.SetGaugeMaximum(100);
  feedback.SetGaugeProgress(0);
  if (!FinishReadingTriangles()) {
    return refuse(RunResult::kObjectTooLarge);
  }
  feedback.SetGaugeProgress(33);
  if (triangle_count_ > 0) feedback.SetGaugeProgress(67);
  OutputList triangles = Replicated(triangle_count_);
  if (result_stage_ != nullptr) {
    const mirror::KeptEntries* kept = nullptr;
    try {
      kept = result_stage_->AfterTriangles(
          mirror_.plan, point_count_, triangle_count_, tables_.triangles());
    } catch (const std::bad_alloc&) {
      return refuse(RunResult::kObjectTooLarge);
    }
    if (kept == nullptr) return refuse(RunResult::kInvalidPointNumber);
    triangles = Staged(triangles, *kept);
  }
  WriteTriangles(triangles, feedback);

  source_.CloseTextFile();
  pending_.CheckIo();
  target_.CloseTextFile();
  pending_.CheckIo();
  feedback.SetStatusText(kStatusSucceeded);
  feedback.SetGaugeProgress(0);
  return RunResult::kSucceeded;
}

}  // namespace run
