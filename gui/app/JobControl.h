#pragma once

#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

class CDocument;

// The long job the desktop application is running, if any: the documents it works on and a
// request to stop it. A job pumps events while it runs, so the user can still ask to close one
// of its documents or the application; such a close stops the job instead and is carried out
// once the job has returned, never under it.
class JobControl {
  public:
    // Marks a job as running for the object's lifetime. The job works on the documents given
    // here and on every document made while it runs. A job started from inside another one's
    // pump joins it: the outermost decides when the job is over.
    class Running {
      public:
        explicit Running(JobControl& control, std::initializer_list<CDocument*> inUse = {});
        ~Running();
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;

      private:
        JobControl& control;
    };

    bool IsRunning() const { return depth > 0; }
    bool Uses(const CDocument* document) const;
    // A document made while a job runs belongs to it; with no job running nothing is kept.
    void AddDocument(const CDocument* document);
    void ForgetDocument(const CDocument* document);
    // Asks the running job to stop at its next safe point; `then` runs once it has returned
    // (at once when no job runs). One action is held per owner (the window whose close was
    // held back): asking again for the same owner does not repeat it.
    void Cancel(const void* owner, std::function<void()> then);
    // Read by the job's progress display when it pumps.
    bool CancelRequested() const { return cancelRequested; }

  private:
    void Finish();

    int depth = 0;
    bool cancelRequested = false;
    std::vector<const CDocument*> documents;
    std::vector<std::pair<const void*, std::function<void()>>> afterJob;
};
