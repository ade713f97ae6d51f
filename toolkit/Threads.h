// A thread object: derive, override Execute, Start it, WaitFor its end.
// Synchronize runs a method in the main thread while the calling thread
// waits. The object must be created in the main thread (the first one
// creates the window through which Synchronize reaches the main thread).
#pragma once

#include <exception>
#include <functional>

namespace tk {

class TThread {
public:
  TThread();
  virtual ~TThread();
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;

  [[nodiscard]] bool Start();
  // Waits until Execute has returned; its result (0 unless set).
  unsigned WaitFor();
  [[nodiscard]] virtual const char* ClassName() const { return "TThread"; }
  // The exception that escaped Execute when no one took it over.
  [[nodiscard]] std::exception_ptr FatalException() const { return fatal_; }

protected:
  virtual void Execute() = 0;
  // Runs `method` in the main thread; an exception it raises comes back
  // here unless the synchronise seam takes it over.
  void Synchronize(const std::function<void()>& method);
  unsigned ReturnValue = 0;

private:
  static unsigned long __stdcall Run(void* self);
  void* handle_ = nullptr;
  std::exception_ptr fatal_;
};

}  // namespace tk
