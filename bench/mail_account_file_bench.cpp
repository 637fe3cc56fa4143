// The account file's codec for an account with 1,000 stored messages of 3.5 KB.
#include "mail/account_record.h"

#include <benchmark/benchmark.h>

namespace {

mail::AccountRecord bigAccount()
{
    mail::AccountRecord a;
    a.name = "Bench";
    a.server = "127.0.0.1";
    for (int i = 0; i < 1000; ++i) {
        a.messages.push_back({"uid" + std::to_string(i), 0, i % 2, std::string(3500, 'm')});
    }
    return a;
}

void encodeAccounts(benchmark::State& state)
{
    const auto account = bigAccount();
    for (auto _ : state) {
        benchmark::DoNotOptimize(mail::encodeAccountFile({&account}));
    }
}
BENCHMARK(encodeAccounts)->Unit(benchmark::kMillisecond);

void decodeAccounts(benchmark::State& state)
{
    const auto account = bigAccount();
    const std::string bytes = mail::encodeAccountFile({&account});
    for (auto _ : state) {
        benchmark::DoNotOptimize(mail::decodeAccountFile(bytes));
    }
}
BENCHMARK(decodeAccounts)->Unit(benchmark::kMillisecond);

} // namespace
