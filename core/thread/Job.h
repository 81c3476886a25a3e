#pragma once

namespace orvo {

// A unit of work for the Jobber's workers, held by boost::shared_ptr<Job>.
class Job {
public:
    virtual ~Job() {}
    virtual void execute() = 0;
    virtual void cancel() = 0;
};

}  // namespace orvo
