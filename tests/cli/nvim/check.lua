-- Neovim as a client of tarnik lsp: a Polish Markdown file is opened, its
-- misspelt word is found where it stands (after an emoji, so the columns must
-- be UTF-16 units, as Neovim reads them), the first code action is applied,
-- and the word's diagnostic goes away. Run headless with TARNIK, WORK (a
-- temporary folder) and SOURCE (this folder) set by --cmd; exits 0 on success.
local function check()
  local file = WORK .. "/tekst.md"
  vim.fn.writefile(vim.fn.readfile(SOURCE .. "/tekst.md"), file)
  vim.cmd("edit " .. vim.fn.fnameescape(file))
  local buf = vim.api.nvim_get_current_buf()
  assert(vim.bo[buf].filetype == "markdown", "not a Markdown buffer: " .. vim.bo[buf].filetype)
  local id = vim.lsp.start_client({
    name = "tarnik",
    cmd = { TARNIK, "lsp", "--user", WORK .. "/user.dic" },
    root_dir = WORK,
    init_options = { debounce = 50 },
    flags = { debounce_text_changes = 0 },
  })
  assert(id, "the server did not start")
  vim.lsp.buf_attach_client(buf, id)

  local function spelling(word)
    for _, d in ipairs(vim.diagnostic.get(buf)) do
      if d.source == "tarnik" and d.message:find("'" .. word .. "'", 1, true) then
        return d
      end
    end
  end
  assert(vim.wait(15000, function() return spelling("ksiazka") ~= nil end, 20),
    "no diagnostic for ksiazka")
  local d = spelling("ksiazka")
  local line = vim.api.nvim_buf_get_lines(buf, d.lnum, d.lnum + 1, false)[1]
  -- Neovim turns the server's UTF-16 columns into bytes: the range must hold the word.
  assert(d.lnum == 4 and line:sub(d.col + 1, d.end_col) == "ksiazka",
    string.format("the diagnostic stands at %d:%d-%d: '%s'", d.lnum, d.col, d.end_col,
      line:sub(d.col + 1, d.end_col)))
  for _, other in ipairs(vim.diagnostic.get(buf)) do
    assert(other.source == "tarnik", "a diagnostic of another source")
  end

  local client = vim.lsp.get_client_by_id(id)
  vim.api.nvim_win_set_cursor(0, { d.lnum + 1, d.col + 2 })
  local params = vim.lsp.util.make_range_params(0, client.offset_encoding)
  params.context = { diagnostics = {} }
  local answer = client.request_sync("textDocument/codeAction", params, 10000, buf)
  assert(answer and answer.result and #answer.result > 0, "no code actions")
  local first = answer.result[1]
  assert(first.isPreferred, "the first action is not the preferred one")
  assert(first.title == "Change to 'książka'", "the first action: " .. first.title)
  vim.lsp.util.apply_workspace_edit(first.edit, client.offset_encoding)
  assert(vim.api.nvim_buf_get_lines(buf, 4, 5, false)[1] == "😀 Mówił, że książka leży na stole.",
    "the edit made: " .. vim.api.nvim_buf_get_lines(buf, 4, 5, false)[1])
  assert(vim.wait(15000, function() return spelling("ksiazka") == nil end, 20),
    "the diagnostic stayed after the correction")
end

local ok, problem = pcall(check)
if ok then
  vim.cmd("qall!")
else
  io.stderr:write(tostring(problem) .. "\n")
  vim.cmd("cquit 1")
end
