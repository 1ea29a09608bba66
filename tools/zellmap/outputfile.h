// A file written beside its target under a temporary name and moved over
// the target only when everything was written, so a failed or interrupted
// run never leaves a half-written image or map behind, nor destroys the
// file that was there.
#pragma once

#include <cstdio>
#include <string>

class OutputFile {
public:
    explicit OutputFile(std::string path);
    ~OutputFile();  // removes the temporary file unless committed
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool Open();                       // false when the directory is not writable
    std::FILE* Stream() const { return m_file; }
    bool Commit();                     // false when a write failed; the target is then untouched

private:
    std::string m_path;
    std::string m_temporary;
    std::FILE* m_file = nullptr;
};
