// The digests against their published test vectors, and against md5sum and sha256sum on many numbers
// hashed one after another by one reused object.

#include "core/platform/digest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/process.h"
#include "tests/support/test_files.h"

namespace zelvane {
namespace {

std::string Hex(Digester& digester, std::string_view text) {
  std::string out(DigestHexLength(digester.kind()), '\0');
  digester.HexDigest(text, out.data());
  return out;
}

struct Vector {
  std::string text;
  const char* digest;
};

TEST(Digester, PublishedTestVectors) {
  const std::string digits = "1234567890";
  std::string eightyDigits;
  for (int i = 0; i < 8; ++i) eightyDigits += digits;
  // RFC 1321, A.5.
  const Vector md5[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"a", "0cc175b9c0f1b6a831c399e269772661"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
      {eightyDigits, "57edf4a22be3c955ac49da2e2107b67a"},
  };
  // FIPS 180-2, appendix B: one block, the 448-bit message that pushes the length into a second block.
  const Vector sha256[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
  };
  Digester md5Digester(DigestKind::Md5);
  Digester sha256Digester(DigestKind::Sha256);
  // Twice over, so that each object is used again after every text.
  for (int round = 0; round < 2; ++round) {
    for (const Vector& v : md5) EXPECT_EQ(Hex(md5Digester, v.text), v.digest) << "MD5 of \"" << v.text << '"';
    for (const Vector& v : sha256) EXPECT_EQ(Hex(sha256Digester, v.text), v.digest) << "SHA-256 of \"" << v.text << '"';
  }
}

// Numbers of 11 digits and landlines of 11 and 12, each in a file of its own that the system's tool hashes.
TEST(Digester, AgreesWithTheSystemToolsOnThousandsOfNumbers) {
#ifdef _WIN32
  GTEST_SKIP() << "md5sum and sha256sum are tools of the Linux side";
#else
  test::TemporaryFolder folder;
  std::mt19937_64 random(30);
  std::vector<std::string> numbers;
  std::vector<std::string> names;
  for (int i = 0; i < 3000; ++i) {
    const char* start = i % 10 == 0 ? "010" : i % 10 == 1 ? "0755" : "1";
    std::string number = start;
    while (number.size() < (i % 10 == 0 ? 11u : i % 10 == 1 ? 12u : 11u)) number += char('0' + random() % 10);
    numbers.push_back(number);
    names.push_back(std::to_string(i));
    test::WriteFile(folder / names.back(), number);
  }
  for (const auto& [kind, tool] : {std::pair{DigestKind::Md5, "md5sum"}, std::pair{DigestKind::Sha256, "sha256sum"}}) {
    const auto result = test::RunProgram(std::string("/usr/bin/") + tool, names, folder.path());
    ASSERT_EQ(result.exitCode, 0) << tool << ": " << result.err;
    Digester digester(kind);
    std::istringstream lines(result.out);
    std::string digest, name;
    std::size_t count = 0;
    while (lines >> digest >> name) {
      const std::string& number = numbers.at(std::stoul(name));
      EXPECT_EQ(Hex(digester, number), digest) << tool << " of " << number;
      ++count;
    }
    EXPECT_EQ(count, numbers.size()) << tool;
  }
#endif
}

}  // namespace
}  // namespace zelvane
