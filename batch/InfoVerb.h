#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

// "mosa-batch info": what each picture file holds, as text or as JSON.
struct InfoVerb {
    std::vector<std::string> files;
    bool json = false;

    void AddTo(CLI::App& app);
    int Run() const;
};
