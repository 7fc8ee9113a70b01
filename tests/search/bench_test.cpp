// The bench's node total is the engine's signature: any change in what the search does (move
// generation, ordering, evaluation, pruning by the table) changes it. A change that is meant
// must come with a new number here and in the README.
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#ifndef TARNEK_BUILD_DIR
#define TARNEK_BUILD_DIR "."
#endif

namespace {

constexpr int SIGNATURE_DEPTH = 5;
constexpr unsigned long long SIGNATURE_NODES = 681347;

std::vector<std::string> benchLines(const std::string& arguments) {
    const std::string command = std::string(TARNEK_BUILD_DIR) + "/tarnek-bench " + arguments;
    std::vector<std::string> lines;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return lines;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) lines.emplace_back(buffer);
    pclose(pipe);
    return lines;
}

unsigned long long totalNodes(const std::string& line) {
    std::istringstream in(line);
    std::string bench, nodes;
    unsigned long long count = 0;
    in >> bench >> nodes >> count;
    return bench == "bench" && nodes == "nodes" ? count : 0;
}

}  // namespace

TEST(Bench, SignatureOfTheBuiltInSet) {
    const std::vector<std::string> lines = benchLines(std::to_string(SIGNATURE_DEPTH));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(totalNodes(lines.back()), SIGNATURE_NODES) << lines.back();
    // Every position was accepted, and the three results without a move are shown by name.
    std::string all;
    for (const std::string& line : lines) all += line;
    EXPECT_EQ(all.find("refused"), std::string::npos);
    EXPECT_NE(all.find("| best mated score -8100 nodes 0"), std::string::npos);
    EXPECT_NE(all.find("| best stalemate score 0"), std::string::npos);
    EXPECT_NE(all.find("| best draw score 0 nodes 0"), std::string::npos);
}

TEST(Bench, OnePositionFromTheCommandLine) {
    const std::vector<std::string> lines = benchLines("3 6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - -");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - | best d1d8 score 8099 nodes ", 0), 0u) << lines[0];
    EXPECT_GT(totalNodes(lines[1]), 0u);
}
