;;; Emacs's ispell and flyspell with tarnik as their spelling program, run in
;;; batch over a Polish text and a LaTeX file, many times over.
;;;
;;; emacs --batch -Q -l check.el TARNIK FIXTURES WORK
;;; Exits 0 when every run flagged exactly the expected words, in order, with no
;;; error (an "Ispell misalignment" among them); else prints what went wrong and
;;; exits 1.

(require 'ispell)
(require 'flyspell)
(require 'tex-mode)

(defvar check-tarnik (nth 0 command-line-args-left))
(defvar check-fixtures (nth 1 command-line-args-left))
(defvar check-work (nth 2 command-line-args-left))
(setq command-line-args-left nil)

;; The set-up docs/editors.md gives.
(setq ispell-program-name check-tarnik)
(setq ispell-local-dictionary-alist
      '(("polski" "[[:alpha:]]" "[^[:alpha:]]" "[-]" nil ("-d" "pl") nil utf-8)))
(setq ispell-dictionary "polski")
;; A personal dictionary in a folder that does not exist yet, as on a fresh account.
(setq ispell-personal-dictionary (expand-file-name "nowy/folder/tarnik_pl" check-work))
(setq flyspell-issue-message-flag nil)
(setq flyspell-issue-welcome-flag nil)

(defvar check-failures 0)
(defvar check-flagged nil)

;; ispell-buffer asks the user about each misspelt word; here the word is noted
;; and kept.
(advice-add 'ispell-command-loop :override
            (lambda (_miss _guess word _start _end)
              (push word check-flagged)
              nil))

(defun check-expect (what expected actual)
  (if (equal expected actual)
      (message "ok: %s" what)
    (setq check-failures (1+ check-failures))
    (message "FAILED: %s: expected %S, got %S" what expected actual)))

(defun check-open (name mode)
  (let ((buffer (find-file-noselect (expand-file-name name check-fixtures))))
    (with-current-buffer buffer
      (funcall mode))
    buffer))

(defun check-ispell-buffer (buffer what expected)
  (with-current-buffer buffer
    (setq check-flagged nil)
    (condition-case failure
        (progn
          (ispell-buffer)
          (check-expect what expected (reverse check-flagged)))
      (error
       (setq check-failures (1+ check-failures))
       (message "FAILED: %s: %s" what (error-message-string failure))))))

(defun check-flyspell-buffer (buffer what expected)
  (with-current-buffer buffer
    (condition-case failure
        (progn
          (flyspell-mode 1)
          (flyspell-buffer)
          (let (words)
            (dolist (overlay (overlays-in (point-min) (point-max)))
              (when (flyspell-overlay-p overlay)
                (push (cons (overlay-start overlay)
                            (buffer-substring-no-properties (overlay-start overlay)
                                                            (overlay-end overlay)))
                      words)))
            (check-expect what expected
                          (mapcar #'cdr (sort words (lambda (a b) (< (car a) (car b))))))
            (flyspell-delete-all-overlays)
            (flyspell-mode -1)))
      (error
       (setq check-failures (1+ check-failures))
       (message "FAILED: %s: %s" what (error-message-string failure))))))

(let ((text (check-open "tekst.txt" #'text-mode))
      (tex (check-open "tekst.tex" #'latex-mode))
      (text-words '("ksiązkę" "gazta" "zółw"))
      (tex-words '("błendem" "dokumnet")))
  (dotimes (run 10)
    ;; Every other run starts a new process.
    (when (= (% run 2) 0)
      (ispell-kill-ispell t))
    (check-ispell-buffer text (format "ispell-buffer, text, run %d" run) text-words)
    (check-ispell-buffer tex (format "ispell-buffer, LaTeX, run %d" run) tex-words)
    ;; Under flyspell-large-region, flyspell sends each word to the pipe on its
    ;; own, so the words of an address are checked too; above it, it runs
    ;; "tarnik -l" over the whole buffer, which skips addresses.
    (let ((flyspell-large-region 100000))
      (check-flyspell-buffer text (format "flyspell-buffer, word by word, run %d" run)
                             '("ksiązkę" "przyklad" "jan" "przyklad" "gazta" "zółw")))
    (let ((flyspell-large-region 1))
      (check-flyspell-buffer text (format "flyspell-buffer, whole buffer, run %d" run)
                             text-words))))

;; A word inserted as ispell's "i" inserts it goes into the personal
;; dictionary, and is not flagged again, also by a new process.
(let ((text (get-file-buffer (expand-file-name "tekst.txt" check-fixtures))))
  (with-current-buffer text
    (ispell-buffer)
    (setq ispell-filter nil)
    ;; The answer to the line after it says that the insertion is done.
    (ispell-send-string "%\n*gazta\n^gazta\n")
    (dotimes (_ 50)
      (unless (equal (car ispell-filter) "")
        (ispell-accept-output 0.1)))
    (check-expect "the inserted word passes at once" '("*") (remove "" ispell-filter))
    (ispell-kill-ispell t)
    (check-expect "the inserted word is in the personal dictionary" "gazta\n"
                  (with-temp-buffer
                    (insert-file-contents ispell-personal-dictionary)
                    (buffer-string)))
    (check-ispell-buffer text "ispell-buffer after the insertion" '("ksiązkę" "zółw"))))

(if (= check-failures 0)
    (kill-emacs 0)
  (message "%d checks failed" check-failures)
  (kill-emacs 1))
