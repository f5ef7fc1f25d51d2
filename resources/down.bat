@echo off
rem 本脚本由 Vandrel 在定时关机时间到达时运行。
echo 计算机将在 60 秒后关机，如需取消请运行 shutdown /a
shutdown /s /t 60
